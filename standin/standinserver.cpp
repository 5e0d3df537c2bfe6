#include "standin/standinserver.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSslSocket>
#include <QTimer>
#include <QUrlQuery>

QString StandInRequest::value(const QString& key) const
{
    for (const auto& f : fields)
        if (f.first == key)
            return f.second;
    return QString();
}

QStringList StandInRequest::keys() const
{
    QStringList out;
    for (const auto& f : fields)
        out << f.first;
    return out;
}

QByteArray StandInRequest::header(const QByteArray& name) const
{
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return QByteArray();
}

StandInReply StandInReply::json(const QJsonValue& value)
{
    StandInReply r;
    if (value.isArray())
        r.body = QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    else
        r.body = QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    return r;
}

StandInReply StandInReply::raw(const QByteArray& body, int status)
{
    StandInReply r;
    r.body = body;
    r.status = status;
    return r;
}

StandInReply StandInReply::httpStatus(int status)
{
    return raw(QByteArray("error ") + QByteArray::number(status), status);
}

StandInReply StandInReply::image(const QByteArray& bytes, const QByteArray& type)
{
    StandInReply r = raw(bytes);
    r.contentType = type;
    return r;
}

static QString key(const QString& m, const QString& a)
{
    return m + QLatin1Char('.') + a;
}

StandInServer::StandInServer(QObject* parent)
    : QTcpServer(parent)
{
}

StandInServer::~StandInServer()
{
    close();
}

bool StandInServer::makeCertificate(const QString& dir, QString* certPath, QString* keyPath, QString* error)
{
    QDir().mkpath(dir);
    *certPath = QDir(dir).filePath(QStringLiteral("standin-cert.pem"));
    *keyPath = QDir(dir).filePath(QStringLiteral("standin-key.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
        {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
            QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
            QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
            QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1"),
            QStringLiteral("-keyout"), *keyPath, QStringLiteral("-out"), *certPath});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        if (error)
            *error = QString::fromLocal8Bit(openssl.readAllStandardError()) + openssl.errorString();
        return false;
    }
    return true;
}

bool StandInServer::loadCertificate(const QString& certPath, const QString& keyPath)
{
    QFile certFile(certPath);
    QFile keyFile(keyPath);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
        return false;
    m_cert = QSslCertificate(&certFile, QSsl::Pem);
    m_key = QSslKey(&keyFile, QSsl::Ec, QSsl::Pem);
    return !m_cert.isNull() && !m_key.isNull();
}

bool StandInServer::start(quint16 port)
{
    if (!listen(QHostAddress::LocalHost, port))
        return false;
    m_port = serverPort();
    return true;
}

QString StandInServer::baseUrl() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(m_port);
}

int StandInServer::loadFixtures(const QString& dir)
{
    int count = 0;
    const QFileInfoList files = QDir(dir).entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : files) {
        QFile f(info.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
        if (doc.isNull())
            continue;
        m_fixtures.insert(info.completeBaseName(), doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()));
        ++count;
    }
    return count;
}

void StandInServer::setFixture(const QString& m, const QString& a, const QJsonValue& value)
{
    m_fixtures.insert(key(m, a), value);
}

void StandInServer::setFile(const QString& route, const StandInReply& reply)
{
    m_files.insert(route, reply);
}

void StandInServer::setReply(const QString& m, const QString& a, const StandInReply& reply)
{
    setHandler(m, a, [reply](const StandInRequest&) { return reply; });
}

void StandInServer::setHandler(const QString& m, const QString& a, Handler handler)
{
    m_handlers.insert(key(m, a), std::move(handler));
}

void StandInServer::clearScripts()
{
    m_handlers.clear();
}

void StandInServer::setRefusing(bool refusing)
{
    if (refusing)
        close();
    else if (!isListening())
        listen(QHostAddress::LocalHost, m_port);
}

int StandInServer::heldCount() const
{
    return m_held.size();
}

void StandInServer::releaseHeld()
{
    const QList<Held> held = m_held;
    m_held.clear();
    for (const Held& h : held)
        if (h.socket) {
            StandInReply r = h.reply;
            r.hold = false;
            send(h.socket, r);
        }
}

QList<StandInRequest> StandInServer::requestsTo(const QString& m, const QString& a) const
{
    QList<StandInRequest> out;
    for (const StandInRequest& r : m_requests)
        if (r.m == m && r.a == a)
            out << r;
    return out;
}

QStringList StandInServer::endpointsCalled() const
{
    QStringList out;
    for (const StandInRequest& r : m_requests)
        out << r.endpoint();
    return out;
}

// Decodes the way the back end's PHP form parser does: "+" is a blank, %XX a byte,
// empty segments are skipped.
QList<QPair<QString, QString>> StandInServer::decodeForm(const QByteArray& body)
{
    QList<QPair<QString, QString>> out;
    for (QByteArray pair : body.split('&')) {
        if (pair.isEmpty())
            continue;
        pair.replace('+', ' ');
        const int eq = pair.indexOf('=');
        const QByteArray k = eq < 0 ? pair : pair.left(eq);
        const QByteArray v = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        out << qMakePair(QString::fromUtf8(QByteArray::fromPercentEncoding(k)),
            QString::fromUtf8(QByteArray::fromPercentEncoding(v)));
    }
    return out;
}

void StandInServer::incomingConnection(qintptr descriptor)
{
    QSslSocket* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    socket->setLocalCertificate(m_cert);
    socket->setPrivateKey(m_key);
    socket->setProtocol(QSsl::SecureProtocols);
    connect(socket, &QSslSocket::readyRead, this, [this, socket] { readFrom(socket); });
    ++m_openConnections;
    connect(socket, &QSslSocket::disconnected, this, [this, socket] {
        --m_openConnections;
        m_buffers.remove(socket);
        socket->deleteLater();
    });
    connect(socket, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), socket,
        [socket](const QList<QSslError>&) { socket->ignoreSslErrors(); });
    socket->startServerEncryption();
}

void StandInServer::readFrom(QSslSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const int headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;

    StandInRequest request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    int contentLength = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        request.headers << qMakePair(name, value);
        if (name.compare("content-length", Qt::CaseInsensitive) == 0)
            contentLength = value.toInt();
    }
    if (buffer.size() < headerEnd + 4 + contentLength)
        return; // body still arriving
    request.body = buffer.mid(headerEnd + 4, contentLength);
    buffer.clear();

    const int q = request.target.indexOf('?');
    const QByteArray query = q < 0 ? QByteArray() : request.target.mid(q + 1);
    for (const auto& p : decodeForm(query)) {
        if (p.first == QLatin1String("g") && request.g.isEmpty())
            request.g = p.second;
        else if (p.first == QLatin1String("m") && request.m.isEmpty())
            request.m = p.second;
        else if (p.first == QLatin1String("a") && request.a.isEmpty())
            request.a = p.second;
    }
    const QByteArray contentType = request.header("Content-Type");
    if (MultipartForm::isMultipart(contentType)) {
        // An upload: keep every part; its text parts are the request's fields.
        if (!MultipartForm::parse(contentType, request.body, &request.parts))
            qWarning("stand-in: malformed multipart body");
        for (const StandInPart& part : qAsConst(request.parts))
            if (!part.hasFileName)
                request.fields << qMakePair(part.name, QString::fromUtf8(part.body));
    } else {
        request.fields = decodeForm(request.body);
    }
    m_requests.append(request);
    emit requestReceived(request);

    const StandInReply reply = answer(request);
    if (reply.hold) {
        m_held.append({QPointer<QSslSocket>(socket), reply});
        return;
    }
    if (reply.delayMs > 0) {
        QPointer<QSslSocket> guarded(socket);
        QTimer::singleShot(reply.delayMs, this, [this, guarded, reply] {
            if (guarded)
                send(guarded, reply);
        });
        return;
    }
    send(socket, reply);
}

// A fixture's string values may name request fields as "{{key}}": the back end echoes some
// (the schedule months' "timestamp") and answers others for the month asked for.
static QJsonValue fillFromRequest(const QJsonValue& value, const StandInRequest& request)
{
    if (value.isString()) {
        QString text = value.toString();
        if (!text.contains(QLatin1String("{{")))
            return value;
        for (const auto& field : request.fields)
            text.replace(QLatin1String("{{") + field.first + QLatin1String("}}"), field.second);
        return text;
    }
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue& element : value.toArray())
            array.append(fillFromRequest(element, request));
        return array;
    }
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            it.value() = fillFromRequest(it.value(), request);
        return object;
    }
    return value;
}

StandInReply StandInServer::answer(const StandInRequest& request) const
{
    const QString k = request.endpoint();
    const auto handler = m_handlers.constFind(k);
    if (handler != m_handlers.constEnd())
        return (*handler)(request);
    const auto fixture = m_fixtures.constFind(k);
    if (fixture != m_fixtures.constEnd())
        return StandInReply::json(fillFromRequest(*fixture, request));
    auto file = m_files.constFind(k);
    if (file == m_files.constEnd()) {
        const int q = request.target.indexOf('?');
        file = m_files.constFind(QString::fromUtf8(q < 0 ? request.target : request.target.left(q)));
    }
    if (file != m_files.constEnd() && request.method == "GET")
        return *file;
    return StandInReply::raw("no such endpoint: " + k.toUtf8(), 404);
}

void StandInServer::send(QSslSocket* socket, const StandInReply& reply)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + (reply.status == 200 ? " OK" : " Error")
        + "\r\nContent-Type: " + reply.contentType + "\r\nContent-Length: " + QByteArray::number(reply.body.size())
        + "\r\nConnection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}
