#include "core/backendreply.h"

#include "core/replycheck.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QNetworkReply>

QString BackendReply::code() const
{
    const QJsonValue value = object.value(QLatin1String("code"));
    return value.isString() ? value.toString() : QString();
}

bool BackendReply::isSuccess() const
{
    return ReplyCheck::isAccepted(*this);
}

QString BackendReply::message() const
{
    return ReplyCheck::message(object);
}

QString BackendReply::networkErrorText() const
{
    return QStringLiteral("网络请求错误\n") + httpStatus;
}

QString BackendReply::failureText(const QString& refusalPrefix) const
{
    if (isNetworkError())
        return networkErrorText();
    if (isObject() && !isSuccess())
        return refusalPrefix + message();
    return QString();
}

BackendReply BackendReply::read(QNetworkReply* reply)
{
    BackendReply result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        result.httpStatus = QString::number(status.toInt());
    if (reply->error() != QNetworkReply::NoError) {
        result.outcome = Outcome::NetworkError;
        result.errorString = reply->errorString();
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(reply->readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.outcome = Outcome::NotJson;
        result.errorString = parseError.errorString();
    } else if (!doc.isObject()) {
        result.outcome = Outcome::NotObject;
        result.errorString = QStringLiteral("reply is not a JSON object");
    } else {
        result.outcome = Outcome::Object;
        result.object = doc.object();
    }
    return result;
}
