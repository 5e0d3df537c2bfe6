#include "core/deployment.h"

#include "core/config.h"

#include <QDebug>
#include <QFile>

#ifndef PHOTOSELECT_TEST_BACKEND_URL
#define PHOTOSELECT_TEST_BACKEND_URL "https://test-backend.invalid"
#endif

QList<QSslCertificate> Deployment::s_extraCa;
QString Deployment::s_testBackendUrl = QStringLiteral(PHOTOSELECT_TEST_BACKEND_URL);
QString Deployment::s_updater;

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
        qWarning() << "PHOTOSELECT_CA_CERT: no certificate read from" << ca;
    s_updater = env("PHOTOSELECT_UPDATER");
    setBackendUrl(Config::url_host);
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

bool Deployment::isTestBackend()
{
    return Config::url_base == s_testBackendUrl + QStringLiteral("/index.php?");
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
