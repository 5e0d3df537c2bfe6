#include "core/config.h"
#include "app/sigcrash.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The handler ends its process, so it runs in a child: this executable started with
// SIGCRASH_CHILD set, which installs it and faults.
class TestSigCrash : public QObject
{
    Q_OBJECT
private slots:
    void crashWritesResolvedBacktraceToDesktopLog()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SIGCRASH_CHILD", "1");
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        // The Desktop folder did not exist: it was made for the log.
        const QDir desktop(home.filePath("Desktop"));
        const QStringList logs = desktop.entryList({QStringLiteral("*崩溃日志.log")}, QDir::Files);
        QCOMPARE(logs.size(), 1);
        const QString prefix = QFileInfo(QCoreApplication::applicationFilePath()).fileName() + Config::version + " ";
        QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(prefix)
                     + R"(\d{4}\.\d\d\.\d\d \d\d:\d\d:\d\d\.\d{3} \S+崩溃日志\.log$)")
                     .match(logs.first())
                     .hasMatch(),
            qPrintable(logs.first()));

        QFile file(desktop.filePath(logs.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLocal8Bit(file.readAll());
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.value(0), QString(57, '#'));
        QVERIFY2(QRegularExpression(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\]\[crash signal number:11\]$)")
                     .match(lines.value(1))
                     .hasMatch(),
            qPrintable(lines.value(1)));
        QVERIFY(lines.value(2).startsWith("0 "));
        // addr2line found the faulting function and its source file.
        QVERIFY2(
            QRegularExpression(R"(crashHere\(\) at .*tst_sigcrash\.cpp:\d+)").match(text).hasMatch(), qPrintable(text));
    }
};

__attribute__((noinline)) void crashHere()
{
    raise(SIGSEGV);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("SIGCRASH_CHILD")) {
        signal(SIGSEGV, sig_crash);
        crashHere();
        return 3;
    }
    TestSigCrash test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sigcrash.moc"
