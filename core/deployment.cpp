#include "core/deployment.h"

#include "core/config.h"
#include "core/logging.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QLocale>

#ifndef PHOTOSELECT_TEST_BACKEND_URL
#define PHOTOSELECT_TEST_BACKEND_URL "https://test-backend.invalid"
#endif

QList<QSslCertificate> Deployment::s_extraCa;
QString Deployment::s_testBackendUrl = QStringLiteral(PHOTOSELECT_TEST_BACKEND_URL);
QString Deployment::s_updater;
int Deployment::s_requestTimeoutMs = 30000;
QList<Deployment::N8Share> Deployment::s_n8Shares;
#ifdef Q_OS_WIN
QString Deployment::s_n8ViewGo = QStringLiteral("C:\\Program Files (x86)\\NemoInfo\\N8ViewGo\\N8ViewGo\\ViewGo.exe");
#else
QString Deployment::s_n8ViewGo;
#endif

static QString env(const char* name)
{
    return QString::fromLocal8Bit(qgetenv(name)).trimmed();
}

void Deployment::load()
{
    const QString backend = env("PHOTOSELECT_BACKEND_URL");
    if (!backend.isEmpty())
        Config::url_host = backend;
    const QString testBackend = env("PHOTOSELECT_TEST_BACKEND_URL");
    if (!testBackend.isEmpty())
        s_testBackendUrl = testBackend;
    QString volumes = env("PHOTOSELECT_VOLUMES_ROOT");
    if (!volumes.isEmpty()) {
        if (!volumes.endsWith(QLatin1Char('/')))
            volumes += QLatin1Char('/');
        Config::volumesRoot = volumes;
    }
    const QString ca = env("PHOTOSELECT_CA_CERT");
    if (!ca.isEmpty() && !addCaCertificates(ca))
        qCWarning(lcApp) << "PHOTOSELECT_CA_CERT: no certificate read from" << ca;
    s_updater = env("PHOTOSELECT_UPDATER");
    const QString timeout = env("PHOTOSELECT_REQUEST_TIMEOUT");
    if (!timeout.isEmpty()) {
        bool ok = false;
        const int seconds = timeout.toInt(&ok);
        if (ok && seconds > 0 && seconds <= 3600)
            s_requestTimeoutMs = seconds * 1000;
        else
            qCWarning(lcApp) << "PHOTOSELECT_REQUEST_TIMEOUT: not a number of seconds from 1 to 3600:" << timeout;
    }
    QString shareError;
    if (!setN8Shares(env("PHOTOSELECT_N8_SHARES"), &shareError))
        qCWarning(lcApp).noquote() << "PHOTOSELECT_N8_SHARES:" << shareError;
    const QString viewGo = env("PHOTOSELECT_N8VIEWGO");
    if (!viewGo.isEmpty())
        s_n8ViewGo = viewGo;
    applyLocale(env("PHOTOSELECT_LOCALE"));
    setBackendUrl(Config::url_host);
}

void Deployment::applyLocale(const QString& name)
{
    // The client's texts are Chinese, so its dates and month names are too, whatever this computer's own locale.
    QLocale locale(QLocale::Chinese, QLocale::China);
    if (!name.isEmpty()) {
        const QLocale named(name);
        // An unknown name reads as "C"; only "C" itself may ask for that.
        if (named.name() != QLatin1String("C") || name == QLatin1String("C"))
            locale = named;
        else
            qWarning().noquote() << "PHOTOSELECT_LOCALE: not a locale name:" << name;
    }
    QLocale::setDefault(locale);
}

void Deployment::setBackendUrl(const QString& baseUrl)
{
    QString url = baseUrl;
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    Config::url_host = url;
    Config::composeUrls();
}

QString Deployment::testBackendUrl()
{
    return s_testBackendUrl;
}

void Deployment::setTestBackendUrl(const QString& baseUrl)
{
    s_testBackendUrl = baseUrl;
}

QString Deployment::testBackendUrl(const QString& scheme)
{
    QString rest = s_testBackendUrl;
    const int separator = rest.indexOf(QStringLiteral("://"));
    if (separator >= 0)
        rest = rest.mid(separator + 3);
    while (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    return scheme + QStringLiteral("://") + rest;
}

bool Deployment::isTestHostMarked()
{
    return Config::url_base.contains(testBackendUrl(QStringLiteral("https")));
}

bool Deployment::isPlainTestBase()
{
    return Config::url_base == testBackendUrl(QStringLiteral("http")) + QStringLiteral("/index.php?");
}

bool Deployment::isSecureTestBase()
{
    return Config::url_base == testBackendUrl(QStringLiteral("https")) + QStringLiteral("/index.php?");
}

bool Deployment::addCaCertificates(const QString& pemPath)
{
    const QList<QSslCertificate> certs = QSslCertificate::fromPath(pemPath, QSsl::Pem);
    s_extraCa += certs;
    return !certs.isEmpty();
}

void Deployment::clearExtraCaCertificates()
{
    s_extraCa.clear();
}

QSslConfiguration Deployment::sslConfiguration()
{
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setProtocol(QSsl::SecureProtocols);
    conf.setPeerVerifyMode(QSslSocket::AutoVerifyPeer);
    if (!s_extraCa.isEmpty())
        conf.setCaCertificates(conf.caCertificates() + s_extraCa);
    return conf;
}

QString Deployment::updaterProgram()
{
    return s_updater;
}

void Deployment::setUpdaterProgram(const QString& program)
{
    s_updater = program;
}

int Deployment::requestTimeoutMs()
{
    return s_requestTimeoutMs;
}

void Deployment::setRequestTimeoutMs(int ms)
{
    s_requestTimeoutMs = ms;
}

QList<Deployment::N8Share> Deployment::n8Shares()
{
    return s_n8Shares;
}

bool Deployment::setN8Shares(const QString& table, QString* error)
{
    static const QRegularExpression unc(QStringLiteral("^//[^/]+(/[^/]+)*$"));
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:(/[^/]+)*$"));
    // A folder of at least one segment: "/" alone would hand the back end the whole disk.
    static const QRegularExpression absolute(QStringLiteral("^(/[^/]+)+$"));
    s_n8Shares.clear();
    QStringList bad;
    const QStringList entries = table.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const int equals = entry.indexOf(QLatin1Char('='));
        QString prefix = entry.left(equals).trimmed().replace(QLatin1Char('\\'), QLatin1Char('/'));
        while (prefix.endsWith(QLatin1Char('/')) && prefix.size() > 2)
            prefix.chop(1);
        const QString local = equals < 0 ? QString() : QDir::cleanPath(entry.mid(equals + 1).trimmed());
        if (equals < 0 || !local.startsWith(QLatin1Char('/'))
            || !(unc.match(prefix).hasMatch() || drive.match(prefix).hasMatch() || absolute.match(prefix).hasMatch())) {
            bad << entry.trimmed();
            continue;
        }
        s_n8Shares.append(N8Share {prefix, local});
    }
    if (error && !bad.isEmpty())
        *error = QStringLiteral("not \"\\\\server\\share=/folder\", \"Z:=/folder\" or \"/prefix=/folder\": ")
            + bad.join(QStringLiteral("; "));
    return bad.isEmpty();
}

QString Deployment::n8ViewGoProgram()
{
    return s_n8ViewGo;
}

void Deployment::setN8ViewGoProgram(const QString& program)
{
    s_n8ViewGo = program;
}
