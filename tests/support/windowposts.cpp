#include "tests/support/windowposts.h"

#include "tests/support/eventwait.h"

#include <QNetworkAccessManager>
#include <QPointer>

bool postsAnswered(QObject* window)
{
    const QPointer<QObject> watched(window);
    return waitUntil([watched] { return !watched || watched->findChildren<QNetworkAccessManager*>().isEmpty(); });
}

bool ownPostsAnswered(QObject* window)
{
    const QPointer<QObject> watched(window);
    return waitUntil([watched] {
        return !watched
            || watched->findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly).isEmpty();
    });
}
