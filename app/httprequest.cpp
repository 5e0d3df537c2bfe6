#include "core/httprequest.h"

#include "core/deployment.h"
#include "core/formbody.h"
#include "core/prompt.h"

#include <QDebug>
#include <QJsonDocument>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>

HttpRequest::HttpRequest(QObject* parent)
    : QObject(parent)
    , manager(new QNetworkAccessManager(this))
{
}

QNetworkRequest HttpRequest::buildRequest(const QString& url, int contentLength)
{
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setSslConfiguration(Deployment::sslConfiguration());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, contentLength);
    return request;
}

QNetworkReply* HttpRequest::post(QNetworkAccessManager* manager, const QString& url, const QByteArray& body)
{
    qDebug().noquote() << "Url:" << url;
    qDebug().noquote() << "Paras:\n" + FormBody::logText(body);
    return manager->post(buildRequest(url, body.size()), body);
}

void HttpRequest::showNetworkError(QNetworkReply* reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    Prompt::information(nullptr, QStringLiteral("警告"),
        QStringLiteral("网络请求错误\n") + (status.isValid() ? QString::number(status.toInt()) : QString()));
}

bool HttpRequest::readObject(QNetworkReply* reply, QJsonObject* out, QString* error)
{
    if (reply->error() != QNetworkReply::NoError) {
        showNetworkError(reply);
        if (error)
            *error = reply->errorString();
        qDebug().noquote() << "http error:" << reply->errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(reply->readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("reply is not a JSON object");
        qDebug().noquote() << "reply is not a JSON object:" << parseError.errorString();
        return false;
    }
    *out = doc.object();
    return true;
}

HttpRequest* HttpRequest::startNetRequest(QString url, QByteArray body, bool log)
{
    HttpRequest* request = new HttpRequest();
    QNetworkRequest networkRequest = buildRequest(url, body.size());
    networkRequest.setAttribute(QNetworkRequest::User, log);
    connect(request->manager, &QNetworkAccessManager::finished, request, &HttpRequest::netReply);
    request->manager->post(networkRequest, body);
    qDebug().noquote() << "Url:" << url;
    qDebug().noquote() << "Paras:\n" + FormBody::logText(body);
    return request;
}

void HttpRequest::netReply(QNetworkReply* reply)
{
    reply->deleteLater();
    // Whatever happens below, this one-shot object is done after its signal.
    deleteLater();

    if (reply->error() != QNetworkReply::NoError) {
        showNetworkError(reply);
        emit netErrorInfo(reply->errorString());
        qDebug().noquote() << "http error:" << reply->errorString();
        return;
    }

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(reply->readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        emit netErrorInfo(parseError.errorString());
        qDebug().noquote() << "Error:" << parseError.errorString() << parseError.error;
        return;
    }
    if (doc.isObject()) {
        if (reply->request().attribute(QNetworkRequest::User).toBool())
            qDebug().noquote() << "JsonObj:" << QString::fromUtf8(QJsonDocument(doc.object()).toJson(QJsonDocument::Compact));
        emit netSuccessInfo(doc.object());
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
        qDebug().noquote() << reply->errorString();
        return;
    }
    QPixmap pixmap;
    pixmap.loadFromData(reply->readAll());
    if (label)
        label->setPixmap(pixmap);
}
