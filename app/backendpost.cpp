#include "core/backendpost.h"

#include "core/deployment.h"
#include "core/formbody.h"
#include "core/prompt.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

namespace BackendPost {

QNetworkRequest buildRequest(const QString& url, int contentLength)
{
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setSslConfiguration(Deployment::sslConfiguration());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, contentLength);
    // A back end that accepts the connection and never answers must not leave a window busy.
    request.setTransferTimeout(Deployment::requestTimeoutMs());
    return request;
}

void postOn(QNetworkAccessManager* manager, const QString& url, const QByteArray& body, QObject* receiver,
    Handler handler)
{
    qDebug().noquote() << "Url:" << url;
    qDebug().noquote() << "Paras:\n" + FormBody::logText(body);
    QNetworkReply* reply = manager->post(buildRequest(url, body.size()), body);
    // The receiver is the connection's context: once it is gone the handler is never called,
    // and the reply goes with its manager.
    QObject::connect(reply, &QNetworkReply::finished, receiver, [reply, handler = std::move(handler)] {
        const BackendReply result = BackendReply::read(reply);
        reply->deleteLater();
        if (!result.isObject())
            qDebug().noquote() << "reply failed:" << result.errorString;
        handler(result);
    });
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

void showNetworkError(const BackendReply& reply, bool yesButton)
{
    Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("网络请求错误\n") + reply.httpStatus,
        yesButton ? QMessageBox::Yes : QMessageBox::Ok, yesButton ? QMessageBox::Yes : QMessageBox::NoButton);
}

} // namespace BackendPost
