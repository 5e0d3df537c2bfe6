#include "tests/support/windowposts.h"

#include "core/deployment.h"
#include "tests/support/eventwait.h"

#include <QNetworkAccessManager>
#include <QPointer>

namespace {

// Every post ends by its transfer timeout: answered, or failed as a network error. A loaded
// machine (the sanitizers beside a build) may take longer than the usual wait to answer.
int untilEveryPostHasEnded()
{
    return Deployment::requestTimeoutMs() + 5000;
}

} // namespace

bool postsAnswered(QObject* window)
{
    const QPointer<QObject> watched(window);
    return waitUntil([watched] { return !watched || watched->findChildren<QNetworkAccessManager*>().isEmpty(); },
        untilEveryPostHasEnded());
}

bool ownPostsAnswered(QObject* window)
{
    const QPointer<QObject> watched(window);
    return waitUntil(
        [watched] {
            return !watched
                || watched->findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly).isEmpty();
        },
        untilEveryPostHasEnded());
}
