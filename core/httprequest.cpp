#include "core/httprequest.h"

#include "core/backendpost.h"
#include "core/deployment.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "core/prompt.h"

#include <QJsonDocument>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>

HttpRequest::HttpRequest(QObject* parent)
    : QObject(parent)
    , manager(new QNetworkAccessManager(this))
{
}

HttpRequest* HttpRequest::startNetRequest(QString url, QByteArray body, bool log)
{
    HttpRequest* request = new HttpRequest();
    request->logReply = log;
    BackendPost::postOn(
        request->manager, url, body, request, [request](const BackendReply& reply) { request->deliver(reply); });
    return request;
}

void HttpRequest::netReply(QNetworkReply* reply)
{
    reply->deleteLater();
    deliver(BackendReply::read(reply));
}

void HttpRequest::deliver(const BackendReply& reply)
{
    // Whatever happens below, this one-shot object is done after its signal.
    deleteLater();
    switch (reply.outcome) {
    case BackendReply::Outcome::NetworkError:
        BackendPost::showNetworkError(reply);
        emit netErrorInfo(reply.errorString);
        qCDebug(lcBackend).noquote() << "http error:" << reply.errorString;
        break;
    case BackendReply::Outcome::NotJson:
        emit netErrorInfo(reply.errorString);
        qCDebug(lcBackend).noquote() << "Error:" << reply.errorString;
        break;
    case BackendReply::Outcome::NotObject:
        break;
    case BackendReply::Outcome::Object:
        if (logReply)
            qCDebug(lcBackend).noquote() << "JsonObj:"
                                         << QString::fromUtf8(
                                                QJsonDocument(reply.object).toJson(QJsonDocument::Compact));
        emit netSuccessInfo(reply.object);
        break;
    }
}

HttpRequest* HttpRequest::httpNetPixmap(QString url, QLabel* label)
{
    HttpRequest* request = new HttpRequest();
    QNetworkRequest networkRequest(QUrl(url, QUrl::TolerantMode));
    networkRequest.setSslConfiguration(Deployment::sslConfiguration());
    networkRequest.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request->label = label;
    connect(request->manager, &QNetworkAccessManager::finished, request, &HttpRequest::netPixmapReply);
    request->manager->get(networkRequest);
    return request;
}

void HttpRequest::netPixmapReply(QNetworkReply* reply)
{
    reply->deleteLater();
    deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        qCDebug(lcBackend).noquote() << reply->errorString();
        return;
    }
    QPixmap pixmap;
    pixmap.loadFromData(reply->readAll());
    if (label)
        label->setPixmap(pixmap);
}
