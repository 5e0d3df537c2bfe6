#ifndef HTTPREQUEST_H
#define HTTPREQUEST_H

#include "core/backendreply.h"

#include <QByteArray>
#include <QJsonObject>
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
