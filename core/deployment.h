#ifndef DEPLOYMENT_H
#define DEPLOYMENT_H

#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>

// Settings that belong to the installation rather than to the back end: where the
// back end is, where the picture server is mounted, which extra CA to trust.
// Read from the environment at start-up (see README).
class Deployment
{
public:
    Deployment() = delete;

    // Reads PHOTOSELECT_* variables, applies them to Config and composes the endpoints.
    static void load();

    static void setBackendUrl(const QString& baseUrl);
    static QString testBackendUrl();
    static void setTestBackendUrl(const QString& baseUrl);
    // The test host's base address in the given scheme ("http" or "https"), whichever
    // scheme the deployment wrote it in.
    static QString testBackendUrl(const QString& scheme);
    // The three ways the client recognises the test host from Config::url_base: the
    // sign-in window's mark (it contains the HTTPS address), the sign-in window's version
    // check (it is the plain-HTTP base) and the web sign-in's version check (it is the
    // HTTPS base).
    static bool isTestHostMarked();
    static bool isPlainTestBase();
    static bool isSecureTestBase();

    // Adds the certificates of a PEM file to the trusted CAs of every request.
    static bool addCaCertificates(const QString& pemPath);
    static void clearExtraCaCertificates();
    static QSslConfiguration sslConfiguration();

    // Program the version check starts to update the client; empty when none is installed.
    static QString updaterProgram();
    static void setUpdaterProgram(const QString& program);

    // How long a post may wait for its whole reply before it fails as a network error.
    static int requestTimeoutMs();
    static void setRequestTimeoutMs(int ms);

    // Where the N8 shares, which the back end names in Windows form, are mounted on this
    // computer: a UNC prefix ("//server/share", backslashes allowed), a drive ("Z:") or an
    // absolute prefix ("/srv/n8", for a back end that names the share so), each with an
    // absolute local folder. A path under none of them is not used.
    struct N8Share
    {
        QString prefix;    // backslashes turned into "/", no trailing "/"
        QString localRoot; // absolute, no trailing "/"
    };
    static QList<N8Share> n8Shares();
    // Reads a table "prefix=folder;prefix=folder". A malformed entry is skipped and named in
    // *error (false); the well-formed ones are kept.
    static bool setN8Shares(const QString& table, QString* error = nullptr);

    // N8ViewGo, the outside layout program the album panel hands an order to; empty when
    // this computer has none (the hand-off then says so instead of starting anything).
    static QString n8ViewGoProgram();
    static void setN8ViewGoProgram(const QString& program);

    // Makes the locale of dates and month names the default: the one named ("zh_CN", "en_US", ...), or Chinese when
    // the name is empty or unknown.
    static void applyLocale(const QString& name);

private:
    static QList<QSslCertificate> s_extraCa;
    static QString s_testBackendUrl;
    static QString s_updater;
    static int s_requestTimeoutMs;
    static QList<N8Share> s_n8Shares;
    static QString s_n8ViewGo;
};

#endif // DEPLOYMENT_H
