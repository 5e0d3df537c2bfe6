#ifndef SINGLEAPPLICATION_H
#define SINGLEAPPLICATION_H

#include <QApplication>
#include <QString>

class QLocalServer;

// The application object. It also listens on a local socket named after the
// executable, so that a later start can tell that the client is already running.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    SingleApplication(int& argc, char** argv);
    ~SingleApplication() override;

    bool isRunning();

private slots:
    void _newLocalConnection();

private:
    void _initLocalConnection();
    void _newLocalServer();

    bool _isRunning = false;
    QLocalServer* _localServer = nullptr;
    QString _serverName;
};

#endif // SINGLEAPPLICATION_H
