#include "core/replycheck.h"

#include "core/backendreply.h"
#include "core/prompt.h"

#include <QJsonObject>
#include <QJsonValue>

namespace ReplyCheck {

bool isAccepted(const QJsonObject& reply)
{
    return reply.value(QLatin1String("code")) == QJsonValue(QStringLiteral("1"));
}

bool isAccepted(const BackendReply& reply)
{
    return reply.isObject() && isAccepted(reply.object);
}

QString message(const QJsonObject& reply)
{
    const QJsonValue value = reply.value(QLatin1String("message"));
    return value.isString() ? value.toString() : QString();
}

void warn(const QString& text, Button button)
{
    if (button == Button::Yes)
        Prompt::information(nullptr, QStringLiteral("警告"), text, QMessageBox::Yes, QMessageBox::Yes);
    else
        Prompt::information(nullptr, QStringLiteral("警告"), text, QMessageBox::Ok);
}

bool acceptOrWarn(const BackendReply& reply, const QString& refusalPrefix, Button button)
{
    if (reply.isNetworkError()) {
        warn(reply.networkErrorText(), button);
        return false;
    }
    if (!reply.isObject())
        return false;
    return acceptOrWarn(reply.object, refusalPrefix, button);
}

bool acceptOrWarn(const QJsonObject& reply, const QString& refusalPrefix, Button button)
{
    if (isAccepted(reply))
        return true;
    warn(refusalPrefix + message(reply), button);
    return false;
}

QString notAcceptedText(const BackendReply& reply, const QString& refusalPrefix)
{
    if (isAccepted(reply))
        return QString();
    if (!reply.isNetworkError() && !reply.isObject())
        return refusalPrefix + QStringLiteral("服务器的回复无法识别");
    return reply.failureText(refusalPrefix);
}

bool acceptOrWarnAlways(const BackendReply& reply, const QString& refusalPrefix, Button button)
{
    const QString text = notAcceptedText(reply, refusalPrefix);
    if (text.isEmpty())
        return true;
    warn(text, button);
    return false;
}

} // namespace ReplyCheck
