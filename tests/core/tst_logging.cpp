#include "core/logging.h"

#include <QProcess>
#include <QtTest>

#include <cstdio>

namespace {

const QLoggingCategory* const kCategories[]
    = {&lcApp(), &lcBackend(), &lcPhotoStore(), &lcOrder(), &lcWorkspace(), &lcViewer(), &lcProducts(), &lcSchedule(),
        &lcDelivery(), &lcSheets(), &lcSubmit(), &lcProductChanges(), &lcTools(), &lcN8(), &lcUpload(), &lcVideo()};

// Run as a child with the deployment's rules: prints the categories whose debug lines are on.
int printDebugEnabled()
{
    for (const QLoggingCategory* category : kCategories)
        if (category->isDebugEnabled())
            std::printf("%s\n", category->categoryName());
    return 0;
}

} // namespace

// A deployment turns one subsystem's console on by its name in QT_LOGGING_RULES, read at
// start-up: the names are deployment settings and must not drift.
class TestLogging : public QObject
{
    Q_OBJECT
private slots:
    void oneSubsystemsConsoleTurnsOnByName_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name :
            {"photoselect.app", "photoselect.backend", "photoselect.photostore", "photoselect.order",
                "photoselect.workspace", "photoselect.viewer", "photoselect.products", "photoselect.schedule",
                "photoselect.delivery", "photoselect.sheets", "photoselect.submit", "photoselect.productchanges",
                "photoselect.tools", "photoselect.n8", "photoselect.upload", "photoselect.video"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void oneSubsystemsConsoleTurnsOnByName()
    {
        QFETCH(QString, name);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(
            QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("photoselect.*.debug=false;%1.debug=true").arg(name));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-debug-enabled")});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
            QStringList {name});
    }

    void everyCategoryWritesDebugLinesWithoutRules()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_LOGGING_RULES"));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-debug-enabled")});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(),
            int(std::size(kCategories)));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--print-debug-enabled") == 0)
        return printDebugEnabled();
    TestLogging test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_logging.moc"
