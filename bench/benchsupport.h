#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include "core/deployment.h"
#include "core/prompt.h"
#include "standin/standinserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QString>
#include <QTextStream>
#include <QTimer>
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

// Every box the client raises is written to out instead of shown: nobody is there to answer.
inline void printPrompts(QTextStream& out)
{
    Prompt::setHandler([&out](const PromptCall& call) {
        out << "box: " << call.title << " " << call.text << "\n";
        return QVariant();
    });
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

// The longest stall of the GUI thread: the widest gap between ticks of a 2 ms timer.
class StallProbe
{
public:
    StallProbe()
    {
        m_tick.setInterval(2);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_stall = std::max(m_stall, now - m_lastTick);
            m_lastTick = now;
        });
    }
    void start()
    {
        m_stall = 0;
        m_clock.start();
        m_lastTick = 0;
        m_tick.start();
    }
    // Milliseconds.
    double stop()
    {
        m_tick.stop();
        return m_stall / 1e6;
    }
    // Since start, in nanoseconds; the longest stall so far, in milliseconds.
    qint64 elapsed() const { return m_clock.nsecsElapsed(); }
    double stallMs() const { return m_stall / 1e6; }

private:
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
    qint64 m_stall = 0;
};

// A figure of /proc/self/status in MiB (key with its colon, e.g. "VmHWM:"); -1 when unknown.
inline double memoryMiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Lets the peak (VmHWM) start again from the memory in use now.
inline void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace Bench

#endif // BENCHSUPPORT_H
