#include "app/singleapplication.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <cstdio>

SingleApplication::SingleApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    _initLocalConnection();
}

SingleApplication::~SingleApplication()
{
    _serverName.clear();
}

bool SingleApplication::isRunning()
{
    return _isRunning;
}

void SingleApplication::_initLocalConnection()
{
    _isRunning = false;
    _serverName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();

    QLocalSocket socket;
    socket.connectToServer(_serverName, QIODevice::ReadWrite);
    if (socket.waitForConnected(500)) {
        // Another instance answers. This one starts all the same, with its own sign-in.
        fprintf(stderr, "%s already running.\n", _serverName.toLocal8Bit().constData());
        fflush(stderr);
        _isRunning = true;
        return;
    }
    _newLocalServer();
}

void SingleApplication::_newLocalServer()
{
    _localServer = new QLocalServer(this);
    connect(_localServer, &QLocalServer::newConnection, this, &SingleApplication::_newLocalConnection);
    if (!_localServer->listen(_serverName)) {
        // A socket file left behind by an instance that ended abnormally: nobody
        // answered on it above, so it is safe to remove and listen again.
        if (_localServer->serverError() == QAbstractSocket::AddressInUseError) {
            QLocalServer::removeServer(_serverName);
            _localServer->listen(_serverName);
        }
    }
}

void SingleApplication::_newLocalConnection()
{
    QLocalSocket* socket = _localServer->nextPendingConnection();
    if (!socket)
        return;
    socket->waitForReadyRead(1000);
    delete socket;
}
