#include "tests/support/failure.h"

#include "tests/support/testbackend.h"

#include <QJsonArray>

void scriptEndpoint(
    TestBackend& backend, const QString& m, const QString& a, Failure failure, const QJsonObject& answer, int status)
{
    switch (failure) {
    case Failure::None:
        backend->setReply(m, a, StandInReply::json(answer));
        break;
    case Failure::HttpStatus:
        backend->setReply(m, a, StandInReply::httpStatus(status));
        break;
    case Failure::Refused:
        backend->setRefusing(true);
        break;
    case Failure::NotJson:
        backend->setReply(m, a, StandInReply::raw("<html><body>Bad Gateway</body></html>"));
        break;
    case Failure::Empty:
        backend->setReply(m, a, StandInReply::raw(QByteArray()));
        break;
    case Failure::Array:
        backend->setReply(m, a, StandInReply::json(QJsonArray {1, 2}));
        break;
    case Failure::Held:
        backend->setReply(m, a, StandInReply::json(answer).held());
        break;
    }
}
