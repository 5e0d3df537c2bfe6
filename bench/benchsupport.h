#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include "core/deployment.h"
#include "core/prompt.h"
#include "standin/standinserver.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <functional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

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

// Hands the heap's free pages back to the system, so that memory freed earlier (by work done
// before the measured part) no longer counts as in use.
inline void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Lets the peak (VmHWM) start again from the memory in use now. False when it did not: the
// peak read afterwards would still hold everything before.
inline bool resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || clear.write("5") != 1)
        return false;
    clear.close();
    return memoryMiB("VmHWM:") - memoryMiB("VmRSS:") < 1.0;
}

// The application with a stall profile: while armed, every delivery of an event at the top of
// the GUI thread's stack is timed and filed under its receiver's class and the event's type,
// so that the longest stall can be named (a posted call, a paint, the view's layout timer...).
class ProfiledApp : public QApplication
{
public:
    using QApplication::QApplication;

    struct Step
    {
        int count = 0;
        double totalMs = 0;
        double maxMs = 0;
    };

    void arm()
    {
        steps.clear();
        armed = true;
    }
    void disarm() { armed = false; }
    QMap<QString, Step> steps;

    bool notify(QObject* receiver, QEvent* event) override
    {
        // Workers' events and nested deliveries are not the GUI thread's steps.
        if (!armed || depth > 0 || QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        ++depth;
        // Named before the delivery: the receiver may be deleted by it.
        const QString name = label(receiver, event->type());
        QElapsedTimer t;
        t.start();
        const bool result = QApplication::notify(receiver, event);
        const double ms = t.nsecsElapsed() / 1e6;
        --depth;
        if (ms >= 1.0) {
            Step& step = steps[name];
            ++step.count;
            step.totalMs += ms;
            step.maxMs = std::max(step.maxMs, ms);
        }
        return result;
    }

private:
    static QString label(QObject* receiver, QEvent::Type type)
    {
        QString what;
        switch (type) {
        case QEvent::MetaCall:
            what = QStringLiteral("posted call");
            break;
        case QEvent::Timer:
            what = QStringLiteral("timer");
            break;
        case QEvent::Paint:
            what = QStringLiteral("paint");
            break;
        case QEvent::UpdateRequest:
            what = QStringLiteral("update request");
            break;
        case QEvent::LayoutRequest:
            what = QStringLiteral("layout request");
            break;
        default:
            what = QStringLiteral("event %1").arg(int(type));
        }
        QString owner = QString::fromLatin1(receiver->metaObject()->className());
        if (!receiver->objectName().isEmpty() && receiver->objectName() != QLatin1String("qt_scrollarea_viewport"))
            owner += QLatin1Char(' ') + receiver->objectName();
        // The viewport of a view names its view.
        if (receiver->parent() && receiver->objectName() == QLatin1String("qt_scrollarea_viewport"))
            owner = QString::fromLatin1(receiver->parent()->metaObject()->className()) + QStringLiteral(" viewport");
        return owner + QLatin1Char(' ') + what;
    }

    bool armed = false;
    int depth = 0;
};

inline void printProfile(QTextStream& out, const ProfiledApp& app, const QString& title)
{
    QList<QPair<QString, ProfiledApp::Step>> rows;
    for (auto it = app.steps.cbegin(); it != app.steps.cend(); ++it)
        rows.append({it.key(), it.value()});
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second.maxMs > b.second.maxMs; });
    out << QStringLiteral("stall profile, %1 (deliveries of 1 ms or more; longest first):\n").arg(title);
    out << QStringLiteral("  %1 %2 %3 %4\n").arg("", -40).arg("count", 7).arg("total ms", 10).arg("max ms", 8);
    for (int i = 0; i < rows.size() && i < 6; ++i)
        out << QStringLiteral("  %1 %2 %3 %4\n")
                   .arg(rows.at(i).first, -40)
                   .arg(rows.at(i).second.count, 7)
                   .arg(rows.at(i).second.totalMs, 10, 'f', 1)
                   .arg(rows.at(i).second.maxMs, 8, 'f', 1);
}

} // namespace Bench

#endif // BENCHSUPPORT_H
