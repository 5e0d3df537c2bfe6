#include "tests/support/eventwait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    // What the caller's own event processing (outside any loop) deleted later is gone first:
    // the loop below, one level deeper, would never delete it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (condition())
        return true;
    QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
    return condition();
}
