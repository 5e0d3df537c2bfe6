#ifndef REPLYCHECK_H
#define REPLYCHECK_H

#include <QString>

class QJsonObject;
struct BackendReply;

// The one reading of a back-end reply's outcome, and the box that says it failed.
//
// A reply is accepted when its "code" is the JSON string "1"; any other value (the number 1,
// "0", null, missing) is a refusal. Every box goes through the Prompt seam, has no parent
// and is titled "警告".
namespace ReplyCheck {

enum class Button {
    Yes, // one Yes button, also the default: the windows' own boxes
    Ok,  // one OK button
};

bool isAccepted(const QJsonObject& reply);
// An object that is accepted; a network error or a body that is no object never is.
bool isAccepted(const BackendReply& reply);
// The reply's "message" when it is a string, otherwise empty.
QString message(const QJsonObject& reply);

// The "警告" box with text.
void warn(const QString& text, Button button = Button::Yes);

// True when the reply is accepted. Otherwise its box has been shown: a network error as
// "网络请求错误\n" and the HTTP status, a refusal as refusalPrefix and the "message"; a body
// that is no JSON object is dropped without a box.
bool acceptOrWarn(const BackendReply& reply, const QString& refusalPrefix, Button button = Button::Yes);
// The same for an object already parsed (the one-shot request has shown its own network box).
bool acceptOrWarn(const QJsonObject& reply, const QString& refusalPrefix = QString(), Button button = Button::Yes);

// For a post whose outcome the operator must learn (a save, a step of the submission), where no reply that is not
// accepted may pass without a word: the text of its box, as acceptOrWarn shows it, and for a body that is no JSON
// object refusalPrefix and "服务器的回复无法识别"; empty when accepted.
QString notAcceptedText(const BackendReply& reply, const QString& refusalPrefix);
// True when the reply is accepted; otherwise the box of notAcceptedText has been shown.
bool acceptOrWarnAlways(const BackendReply& reply, const QString& refusalPrefix, Button button = Button::Yes);

} // namespace ReplyCheck

#endif // REPLYCHECK_H
