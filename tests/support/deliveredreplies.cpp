#include "tests/support/deliveredreplies.h"

#include "core/httprequest.h"
#include "tests/support/eventwait.h"

#include <QCoreApplication>
#include <QEvent>

DeliveredReplies::DeliveredReplies()
{
    QCoreApplication::instance()->installEventFilter(this);
}

DeliveredReplies::~DeliveredReplies()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool DeliveredReplies::waitFor(int n, int timeoutMs)
{
    return waitUntil([&] { return count >= n; }, timeoutMs);
}

bool DeliveredReplies::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DeferredDelete && qobject_cast<HttpRequest*>(watched))
        ++count;
    return false;
}
