#include "exchange/n8fileinfo.h"
#include "exchange/n8importthread.h"
#include "tests/support/eventwait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QWidget>
#include <QtTest>

// Stands in for a window that follows the copies.
class ImportReceiver : public QWidget
{
    Q_OBJECT
public:
    struct Call
    {
        int first, second, third;
        QString text;
        bool onGuiThread;
    };
    QList<Call> calls;
public slots:
    void importCopyN8ProgressSlot(int first, int second, int third, QString text)
    {
        calls.append({first, second, third, text, QThread::currentThread() == qApp->thread()});
    }
};

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestN8ImportThread : public QObject
{
    Q_OBJECT
private slots:
    void fileInfoKeepsBothPaths()
    {
        N8FileInfo file;
        file.setFromPath("/a/1.jpg");
        file.setToPath("/b/1.jpg");
        QCOMPARE(file.getFromPath(), QStringLiteral("/a/1.jpg"));
        QCOMPARE(file.getToPath(), QStringLiteral("/b/1.jpg"));
    }

    void copyRules_data()
    {
        QTest::addColumn<QString>("from"); // below the test folder; "source.jpg" exists
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArray>("existing"); // already at "to"; empty: nothing
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QByteArray>("after"); // at "to" afterwards
        QTest::newRow("equal paths") << "source.jpg"
                                     << "source.jpg" << QByteArray() << true << QByteArray("photo");
        QTest::newRow("plain copy") << "source.jpg"
                                    << "copy.jpg" << QByteArray() << true << QByteArray("photo");
        QTest::newRow("missing source") << "gone.jpg"
                                        << "copy.jpg" << QByteArray() << false << QByteArray("(missing)");
        QTest::newRow("missing destination folders are made")
            << "source.jpg"
            << "N8/选版/照片/copy.jpg" << QByteArray() << true << QByteArray("photo");
        QTest::newRow("existing destination is kept")
            << "source.jpg"
            << "copy.jpg" << QByteArray("earlier") << false << QByteArray("earlier");
    }

    void copyRules()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QByteArray, existing);
        QFETCH(bool, copied);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("source.jpg"), "photo"));
        if (!existing.isEmpty())
            QVERIFY(writeFile(dir.filePath(to), existing));
        QCOMPARE(N8ImportThread::copyFile(dir.filePath(from), dir.filePath(to)), copied);
        QCOMPARE(readAll(dir.filePath(to)), after);
        QCOMPARE(readAll(dir.filePath("source.jpg")), QByteArray("photo"));
    }

    // On the pool, the job copies and hands its numbers and text back on the GUI thread,
    // whatever the copy gave.
    void jobCallsTheReceiverBack_data()
    {
        QTest::addColumn<bool>("sourceExists");
        QTest::newRow("copied") << true;
        QTest::newRow("copy failed") << false;
    }

    void jobCallsTheReceiverBack()
    {
        QFETCH(bool, sourceExists);
        QTemporaryDir dir;
        if (sourceExists)
            QVERIFY(writeFile(dir.filePath("a.jpg"), "photo"));
        ImportReceiver receiver;
        QThreadPool::globalInstance()->start(new N8ImportThread(3, 10, -1, QStringLiteral("导入 a.jpg"),
            N8FileInfo(dir.filePath("a.jpg"), dir.filePath("to/a.jpg")), &receiver));
        QVERIFY(waitUntil([&] { return receiver.calls.size() == 1; }));
        const ImportReceiver::Call call = receiver.calls.first();
        QCOMPARE(call.first, 3);
        QCOMPARE(call.second, 10);
        QCOMPARE(call.third, -1);
        QCOMPARE(call.text, QStringLiteral("导入 a.jpg"));
        QVERIFY(call.onGuiThread);
        QCOMPARE(QFile::exists(dir.filePath("to/a.jpg")), sourceExists);
    }

    void receiverGoneGetsNothing()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("a.jpg"), "photo"));
        auto* receiver = new ImportReceiver;
        QThreadPool pool;
        pool.start(
            new N8ImportThread(1, 1, 1, QString(), N8FileInfo(dir.filePath("a.jpg"), dir.filePath("b.jpg")), receiver));
        QVERIFY(pool.waitForDone(30000));
        delete receiver; // the window closed before the answer came
        QCoreApplication::processEvents();
        QVERIFY(QFile::exists(dir.filePath("b.jpg")));
    }
};

QTEST_MAIN(TestN8ImportThread)
#include "tst_n8importthread.moc"
