#ifndef HTTPREQUEST_H
#define HTTPREQUEST_H

#include "core/backendreply.h"

#include <QByteArray>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;

// A one-shot form post to the back end. The object frees itself after delivering its
// signal; callers connect to it right after startNetRequest and keep no pointer.
class HttpRequest : public QObject
{
    Q_OBJECT
public:
    explicit HttpRequest(QObject* parent = nullptr);

    static HttpRequest* startNetRequest(QString url, QByteArray body, bool log);
    static HttpRequest* httpNetPixmap(QString url, QLabel* label);

    // The request every post of the client uses: form content type and length,
    // verified TLS with the deployment's trusted CAs, tolerant URL parsing.
    static QNetworkRequest buildRequest(const QString& url, int contentLength);
    // Posts body to url with the given manager, logging address and fields.
    static QNetworkReply* post(QNetworkAccessManager* manager, const QString& url, const QByteArray& body);
    // For windows that handle their own replies: true with the object when the transfer
    // succeeded and the body is a JSON object. On a network error the "警告" box is shown.
    static bool readObject(QNetworkReply* reply, QJsonObject* out, QString* error = nullptr);
    // The "警告" box of a network error: "网络请求错误\n" and the HTTP status (may be empty).
    static void showNetworkError(QNetworkReply* reply);

signals:
    void netSuccessInfo(QJsonObject jsonInfo);
    void netLoadPixmapInfo(QPixmap image);
    void netErrorInfo(QString errStr);

public slots:
    void netReply(QNetworkReply* reply);
    void netPixmapReply(QNetworkReply* reply);

private:
    void deliver(const BackendReply& reply);

    QNetworkAccessManager* manager;
    bool logReply = false;
    QPointer<QLabel> label;
};

#endif // HTTPREQUEST_H
