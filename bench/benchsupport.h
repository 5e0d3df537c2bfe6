#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include "core/deployment.h"
#include "standin/standinserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QVector>

#include <algorithm>
#include <functional>

// What the benchmark programs share: the set-up of the process and of the in-process
// back-end stand-in, waiting on the event loop, and the median of runs.
namespace Bench {

// Before the QApplication: offscreen unless a display is given, and the client's log lines
// silenced, since they would drown the figures.
inline void prepareProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// Starts the stand-in with a fresh certificate made in folder and its fixtures, and points
// the client at it. Empty on success, otherwise what failed.
inline QString startStandIn(StandInServer& server, const QString& folder)
{
    QString cert, key;
    if (!StandInServer::makeCertificate(folder, &cert, &key) || !server.loadCertificate(cert, key))
        return QStringLiteral("cannot make the stand-in's certificate");
    server.loadFixtures(QStringLiteral(STANDIN_FIXTURES_DIR));
    if (!server.start())
        return QStringLiteral("cannot start the stand-in");
    Deployment::setBackendUrl(server.baseUrl());
    Deployment::addCaCertificates(cert);
    return QString();
}

inline bool runUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

inline double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace Bench

#endif // BENCHSUPPORT_H
