#include "app/singleapplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <memory>

// A process holds one application object, so every instance under test is a child
// process: this same executable started with SINGLEAPP_CHILD set. Each test gives its
// children their own TMPDIR, where the local socket files live.
class TestSingleApplication : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_tmp;

    QString serverName() const { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

    // Starts an instance and waits until it has finished its instance check.
    std::unique_ptr<QProcess> startInstance(const QString& tmpDir)
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SINGLEAPP_CHILD", "1");
        env.insert("TMPDIR", tmpDir);
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(), QStringList());
        if (!p->waitForStarted(30000))
            return p;
        (void)QTest::qWaitFor([&] { return p->canReadLine() || p->state() != QProcess::Running; }, 30000);
        return p;
    }

    static void stop(QProcess* p)
    {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

private slots:
    void initTestCase() { QVERIFY(m_tmp.isValid()); }

    void secondStartReportsAndStillStarts()
    {
        QTemporaryDir dir(m_tmp.filePath("a-XXXXXX"));
        auto first = startInstance(dir.path());
        QCOMPARE(first->readLine(), QByteArray("running=0\n"));
        QVERIFY(QFileInfo::exists(QDir(dir.path()).filePath(serverName())));

        auto second = startInstance(dir.path());
        QCOMPARE(second->readLine(), QByteArray("running=1\n"));
        // It goes on into its own event loop, and the first one is not disturbed.
        QTest::qWait(200);
        QCOMPARE(second->state(), QProcess::Running);
        QCOMPARE(first->state(), QProcess::Running);
        stop(second.get());
        stop(first.get());
        QCOMPARE(second->readAllStandardError(), serverName().toLocal8Bit() + " already running.\n");
        QVERIFY(!first->readAllStandardError().contains("already running"));
    }

    void staleSocketNameIsListenedOnAgain()
    {
        QTemporaryDir dir(m_tmp.filePath("b-XXXXXX"));
        auto crashed = startInstance(dir.path());
        QCOMPARE(crashed->readLine(), QByteArray("running=0\n"));
        stop(crashed.get()); // SIGKILL: the socket file stays behind
        QVERIFY(QFileInfo::exists(QDir(dir.path()).filePath(serverName())));

        auto restarted = startInstance(dir.path());
        QCOMPARE(restarted->readLine(), QByteArray("running=0\n"));
        auto later = startInstance(dir.path());
        QCOMPARE(later->readLine(), QByteArray("running=1\n"));
        stop(later.get());
        stop(restarted.get());
        QVERIFY(!restarted->readAllStandardError().contains("already running"));
    }
};

static int runInstance(int argc, char** argv)
{
    SingleApplication app(argc, argv);
    printf("running=%d\n", app.isRunning() ? 1 : 0);
    fflush(stdout);
    return app.exec();
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("SINGLEAPP_CHILD"))
        return runInstance(argc, argv);
    QCoreApplication app(argc, argv);
    TestSingleApplication test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleapplication.moc"
