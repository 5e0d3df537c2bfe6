#ifndef STANDINSERVER_H
#define STANDINSERVER_H

#include "standin/multipartform.h"

#include <QByteArray>
#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

#include <functional>

class QSslSocket;

// One request as the stand-in received it.
struct StandInRequest
{
    QByteArray method;
    QByteArray target;                            // path and query as sent
    QList<QPair<QByteArray, QByteArray>> headers; // in the order sent
    QByteArray body;                              // raw, exactly as posted
    QString g, m, a;                              // routing parameters of the query
    QList<QPair<QString, QString>> fields;        // decoded form pairs, in order (a multipart body's text parts)
    QList<StandInPart> parts;                     // a multipart body's parts, files too, in order

    QString endpoint() const { return m + QLatin1Char('.') + a; }
    QString value(const QString& key) const; // first value of key, empty when absent
    QStringList keys() const;
    QByteArray header(const QByteArray& name) const;
};

// What the stand-in answers.
struct StandInReply
{
    int status = 200;
    QByteArray body;
    bool hold = false; // keep the reply until releaseHeld()
    int delayMs = 0;
    QByteArray contentType = "application/json; charset=utf-8";

    static StandInReply json(const QJsonValue& value);
    static StandInReply raw(const QByteArray& body, int status = 200);
    static StandInReply httpStatus(int status);
    static StandInReply image(const QByteArray& bytes, const QByteArray& type = "image/png");
    StandInReply held() const
    {
        StandInReply r = *this;
        r.hold = true;
        return r;
    }
    StandInReply delayed(int ms) const
    {
        StandInReply r = *this;
        r.delayMs = ms;
        return r;
    }
};

// The local stand-in for the studio's back end: HTTPS on 127.0.0.1, routed on the
// query's "m" and "a", answering from a data set of JSON fixtures ("<m>.<a>.json")
// unless a test scripts the endpoint. A fixture's "{{key}}" inside a string value is replaced
// by the request's field of that name. Runs on the caller's event loop.
class StandInServer : public QTcpServer
{
    Q_OBJECT
public:
    using Handler = std::function<StandInReply(const StandInRequest&)>;

    explicit StandInServer(QObject* parent = nullptr);
    ~StandInServer() override;

    // Makes a fresh self-signed certificate for 127.0.0.1 and localhost in dir with openssl.
    static bool makeCertificate(const QString& dir, QString* certPath, QString* keyPath, QString* error = nullptr);

    bool loadCertificate(const QString& certPath, const QString& keyPath);
    bool start(quint16 port = 0);
    QString baseUrl() const; // https://127.0.0.1:<port>

    // Fixtures: every "<m>.<a>.json" of the folder; later folders override earlier ones.
    int loadFixtures(const QString& dir);
    void setFixture(const QString& m, const QString& a, const QJsonValue& value);
    // A file fetched by GET (an image): route is "m.a" of the query, or a path ("/qr/x.png")
    // for addresses outside the API. Kept over clearScripts().
    void setFile(const QString& route, const StandInReply& reply);

    // Scripting: a fixed reply or a handler for one endpoint, overriding the fixture.
    void setReply(const QString& m, const QString& a, const StandInReply& reply);
    void setHandler(const QString& m, const QString& a, Handler handler);
    void clearScripts();

    // While refusing, the port is closed and connections are refused.
    void setRefusing(bool refusing);

    int heldCount() const;
    void releaseHeld();

    // Connections accepted and not yet closed: a request still on its way is read before its
    // connection closes, so none is left once this is 0 and the clients have let go.
    int openConnections() const { return m_openConnections; }

    const QList<StandInRequest>& requests() const { return m_requests; }
    QList<StandInRequest> requestsTo(const QString& m, const QString& a) const;
    QStringList endpointsCalled() const;
    void clearRequests() { m_requests.clear(); }

    static QList<QPair<QString, QString>> decodeForm(const QByteArray& body);

signals:
    void requestReceived(const StandInRequest& request);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Held
    {
        QPointer<QSslSocket> socket;
        StandInReply reply;
    };

    void readFrom(QSslSocket* socket);
    StandInReply answer(const StandInRequest& request) const;
    void send(QSslSocket* socket, const StandInReply& reply);

    QSslCertificate m_cert;
    QSslKey m_key;
    quint16 m_port = 0;
    QHash<QString, QJsonValue> m_fixtures;
    QHash<QString, StandInReply> m_files;
    QHash<QString, Handler> m_handlers;
    QList<StandInRequest> m_requests;
    QList<Held> m_held;
    QHash<QSslSocket*, QByteArray> m_buffers;
    int m_openConnections = 0;
};

#endif // STANDINSERVER_H
