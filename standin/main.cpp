// The back-end stand-in as a program, for the demo: serves the fixture data set over
// HTTPS on 127.0.0.1 and prints every request it receives.
#include "standin/demodata.h"
#include "standin/standinserver.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // A GUI application for the fonts of the generated photos; it never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local stand-in of the studio's back end"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port on 127.0.0.1 (0: any)"), QStringLiteral("port"),
        QStringLiteral("0")});
    parser.addOption(
        {QStringLiteral("cert-dir"), QStringLiteral("Folder for the generated certificate"), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("fixtures"), QStringLiteral("Extra fixture folder (overrides the built-in one)"),
        QStringLiteral("dir")});
    parser.addOption(
        {QStringLiteral("volumes"), QStringLiteral("Create the demo share below this folder"), QStringLiteral("dir")});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString certDir = parser.value(QStringLiteral("cert-dir"));
    if (certDir.isEmpty()) {
        err << "--cert-dir is required\n";
        return 2;
    }
    if (parser.isSet(QStringLiteral("volumes"))) {
        QString error;
        if (!DemoData::createVolumes(parser.value(QStringLiteral("volumes")), &error)) {
            err << error << "\n";
            return 1;
        }
    }

    QString certPath, keyPath, error;
    if (!StandInServer::makeCertificate(certDir, &certPath, &keyPath, &error)) {
        err << "openssl failed: " << error << "\n";
        return 1;
    }
    StandInServer server;
    if (!server.loadCertificate(certPath, keyPath)) {
        err << "cannot load the certificate\n";
        return 1;
    }
    server.loadFixtures(QStringLiteral(STANDIN_FIXTURES_DIR));
    if (parser.isSet(QStringLiteral("fixtures")))
        server.loadFixtures(parser.value(QStringLiteral("fixtures")));
    if (!server.start(quint16(parser.value(QStringLiteral("port")).toUInt()))) {
        err << "cannot listen: " << server.errorString() << "\n";
        return 1;
    }
    QObject::connect(&server, &StandInServer::requestReceived, [&out](const StandInRequest& r) {
        out << r.method << ' ' << r.endpoint() << ' ' << QString::fromUtf8(r.body) << "\n";
        out.flush();
    });
    out << "listening " << server.baseUrl() << "\n";
    out << "certificate " << certPath << "\n";
    out.flush();
    return app.exec();
}
