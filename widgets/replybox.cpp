#include "widgets/replybox.h"

#include "core/backendpost.h"
#include "core/prompt.h"

bool acceptedReply(const BackendReply& reply, const QString& refusalPrefix)
{
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        return false;
    }
    if (!reply.isObject())
        return false;
    if (!reply.isSuccess()) {
        Prompt::information(
            nullptr, QStringLiteral("警告"), refusalPrefix + reply.message(), QMessageBox::Yes, QMessageBox::Yes);
        return false;
    }
    return true;
}
