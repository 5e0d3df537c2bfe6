#include "core/backendpost.h"

#include "core/deployment.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "core/replycheck.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace BackendPost {

namespace {

// The request every post uses: content type (a form unless said) and length, verified TLS with
// the deployment's trusted CAs, tolerant URL parsing, the transfer timeout.
QNetworkRequest buildRequest(const QString& url, int contentLength, const QByteArray& contentType)
{
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setSslConfiguration(Deployment::sslConfiguration());
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    request.setHeader(QNetworkRequest::ContentLengthHeader, contentLength);
    // A back end that accepts the connection and never answers must not leave a window busy.
    request.setTransferTimeout(Deployment::requestTimeoutMs());
    return request;
}

} // namespace

QNetworkReply* postOn(QNetworkAccessManager* manager, const QString& url, const QByteArray& body, QObject* receiver,
    Handler handler, const QByteArray& contentType)
{
    qCDebug(lcBackend).noquote() << "Url:" << url;
    if (contentType.startsWith("application/x-www-form-urlencoded"))
        qCDebug(lcBackend).noquote() << "Paras:\n" + FormBody::logText(body);
    else
        qCDebug(lcBackend).noquote() << "Paras:" << contentType << body.size() << "bytes";
    QNetworkReply* reply = manager->post(buildRequest(url, body.size(), contentType), body);
    // The receiver is the connection's context: once it is gone the handler is never called,
    // and the reply goes with its manager.
    QObject::connect(reply, &QNetworkReply::finished, receiver, [reply, handler = std::move(handler)] {
        const BackendReply result = BackendReply::read(reply);
        reply->deleteLater();
        if (!result.isObject())
            qCDebug(lcBackend).noquote() << "reply failed:" << result.errorString;
        handler(result);
    });
    return reply;
}

void post(const QString& url, const QByteArray& body, QObject* receiver, Handler handler)
{
    // Each post has its own manager, released with its one reply.
    QNetworkAccessManager* manager = new QNetworkAccessManager(receiver);
    postOn(manager, url, body, receiver, [manager, handler = std::move(handler)](const BackendReply& reply) {
        manager->deleteLater();
        handler(reply);
    });
}

void dropPending(QObject* receiver)
{
    // A post's reply is a child of its manager and goes with it; cut first, so that nothing
    // the abort might signal reaches the receiver.
    const auto managers = receiver->findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly);
    for (QNetworkAccessManager* manager : managers) {
        for (QNetworkReply* reply : manager->findChildren<QNetworkReply*>())
            QObject::disconnect(reply, nullptr, receiver, nullptr);
        delete manager;
    }
}

QStringList supportedSchemes()
{
    return QNetworkAccessManager().supportedSchemes();
}

void send(const QString& url, const QByteArray& body)
{
    // The manager is its own receiver: nothing else has to outlive the post.
    QNetworkAccessManager* manager = new QNetworkAccessManager;
    postOn(manager, url, body, manager, [manager](const BackendReply&) { manager->deleteLater(); });
}

void showNetworkError(const BackendReply& reply, bool yesButton)
{
    ReplyCheck::warn(reply.networkErrorText(), yesButton ? ReplyCheck::Button::Yes : ReplyCheck::Button::Ok);
}

} // namespace BackendPost
