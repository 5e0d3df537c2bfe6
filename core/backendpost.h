#ifndef BACKENDPOST_H
#define BACKENDPOST_H

#include "core/backendreply.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// The one road by which the client posts to its back end.
//
//     BackendPost::post(Config::url_query_order, body, this, &SearchOrder::queryCallBack);
//
// Each post gets a network manager of its own, owned by the receiver, so a window that is
// destroyed takes its posts with it: the handler is then never called. Otherwise the handler
// is called exactly once, on the GUI thread, with the reply read into a value; the reply and
// the manager are released afterwards. Every post has the deployment's transfer timeout, past
// which it fails as a network error.
namespace BackendPost {

using Handler = std::function<void(const BackendReply&)>;

// Posts body to url on a manager of its own, a child of receiver.
void post(const QString& url, const QByteArray& body, QObject* receiver, Handler handler);

// Posts on a manager the caller owns (kept after the reply). A body of another kind than a form
// (a multipart upload) names its content type. Returns the reply, for its upload progress and
// an abort; it is released after the handler has run.
QNetworkReply* postOn(QNetworkAccessManager* manager, const QString& url, const QByteArray& body, QObject* receiver,
    Handler handler, const QByteArray& contentType = QByteArrayLiteral("application/x-www-form-urlencoded"));

// Drops the posts of receiver still on their way, at once: their handlers are never called.
// Not for use inside one of receiver's handlers.
void dropPending(QObject* receiver);

// The URL schemes the network library offers (for the start-up log).
QStringList supportedSchemes();

// Posts a notice whose answer nobody awaits: no receiver, nothing is called; the reply and
// its manager are released once the transfer ends or times out.
void send(const QString& url, const QByteArray& body);

template <typename Receiver>
void post(
    const QString& url, const QByteArray& body, Receiver* receiver, void (Receiver::*handler)(const BackendReply&))
{
    post(url, body, receiver, [receiver, handler](const BackendReply& reply) { (receiver->*handler)(reply); });
}

// The "警告" box of a network error: "网络请求错误\n" and the HTTP status (empty without one).
// The windows' own handlers show it with one Yes button; the request object with OK.
void showNetworkError(const BackendReply& reply, bool yesButton = false);

} // namespace BackendPost

#endif // BACKENDPOST_H
