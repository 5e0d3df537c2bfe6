#ifndef BACKENDREPLY_H
#define BACKENDREPLY_H

#include <QJsonObject>
#include <QString>

class QNetworkReply;

// What came back for one post, as a plain value: the parsed object, or why there is none.
// Windows decide what to show; nothing here opens a box.
struct BackendReply
{
    enum class Outcome {
        Object,       // the body is a JSON object (whatever its "code")
        NetworkError, // refused, TLS, HTTP error status, or the transfer timed out
        NotJson,      // the transfer succeeded but the body does not parse
        NotObject,    // valid JSON that is not an object (an array, a number)
    };

    Outcome outcome = Outcome::NetworkError;
    QJsonObject object;
    QString httpStatus;  // the HTTP status as text; empty when there was no HTTP response
    QString errorString; // the network library's text, or the JSON parse error

    bool isObject() const { return outcome == Outcome::Object; }
    bool isNetworkError() const { return outcome == Outcome::NetworkError; }
    // "code" as the back end sends it: a string; anything else reads as "".
    QString code() const;
    // Accepted by the one rule of ReplyCheck.
    bool isSuccess() const;
    QString message() const;
    // The text of the "警告" box of a network error: "网络请求错误\n" and the HTTP status.
    QString networkErrorText() const;
    // The text of the box shown for a reply that is no success: the network error's, or
    // refusalPrefix and the message; empty for a body that is no JSON object (dropped silently).
    QString failureText(const QString& refusalPrefix) const;

    // Reads a finished reply (does not release it).
    static BackendReply read(QNetworkReply* reply);
};

#endif // BACKENDREPLY_H
