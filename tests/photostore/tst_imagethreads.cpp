#include "core/config.h"
#include "photostore/basethumbnailthread.h"
#include "photostore/copyfilethread.h"
#include "photostore/thumb.h"
#include "photostore/thumbthread.h"
#include "standin/demodata.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

class TestImageThreads : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_landscape;
    QString m_portrait;

    // Starts the thread and returns what it emitted, received on this thread.
    template <typename T> static QList<QVariantList> emitted(T& thread)
    {
        QSignalSpy spy(&thread, &T::finishScale);
        thread.start();
        thread.wait();
        QCoreApplication::processEvents();
        QList<QVariantList> out;
        for (const QVariantList& args : spy)
            out << args;
        return out;
    }

private slots:
    void initTestCase()
    {
        m_landscape = m_dir.filePath(QStringLiteral("landscape.jpg"));
        m_portrait = m_dir.filePath(QStringLiteral("portrait.jpg"));
        QVERIFY(DemoData::writePhoto(m_landscape, 4000, 3000, QStringLiteral("L"), 6));
        QVERIFY(DemoData::writePhoto(m_portrait, 3000, 4000, QStringLiteral("P")));
    }

    void compareLoader()
    {
        BaseThumbnailThread full(m_landscape, 0, 0);
        QList<QVariantList> out = emitted(full);
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0][0].value<QImage>().size(), QSize(4000, 3000)); // as stored, not turned

        BaseThumbnailThread fitted;
        fitted.setParams(m_portrait, 500, 500);
        out = emitted(fitted);
        QCOMPARE(out[0][0].value<QImage>().size(), QSize(375, 500));

        BaseThumbnailThread missing(m_dir.filePath(QStringLiteral("none.jpg")), 100, 100);
        out = emitted(missing);
        QCOMPARE(out.size(), 1);
        QVERIFY(out[0][0].value<QImage>().isNull());
    }

    void showModeSize_data()
    {
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<int>("showMode");
        QTest::addColumn<bool>("keepFullSize");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("mode 4") << false << 4 << false << QSize(1920, 1440);
        QTest::newRow("mode 3") << false << 3 << false << QSize(1000, 750);
        QTest::newRow("mode 5 portrait") << true << 5 << false << QSize(1912, 2550);
        QTest::newRow("mode 1: own size") << false << 1 << false << QSize(4000, 3000);
        QTest::newRow("keep full size") << false << 4 << true << QSize(4000, 3000);
    }
    void showModeSize()
    {
        QFETCH(bool, portrait);
        QFETCH(int, showMode);
        QFETCH(bool, keepFullSize);
        QFETCH(QSize, decoded);
        const int saved = Config::show_mode;
        Config::show_mode = showMode;
        const QString path = portrait ? m_portrait : m_landscape;
        ThumbThread thread(path, 0, 0, keepFullSize);
        const QList<QVariantList> out = emitted(thread);
        Thumb thumb;
        thumb.setParams(path, 0, 0, keepFullSize);
        const QList<QVariantList> thumbOut = emitted(thumb);
        Config::show_mode = saved;
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0][0].value<QImage>().size(), decoded);
        QCOMPARE(out[0][1].toString(), path);
        QCOMPARE(out[0][2].toBool(), true);
        QCOMPARE(thumbOut[0][0].value<QImage>().size(), decoded);
    }

    void unreadableFile()
    {
        const QString bad = m_dir.filePath(QStringLiteral("bad.jpg"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        f.close();
        ThumbThread thread(bad, 0, 0, false);
        QVERIFY(emitted(thread).isEmpty());
        Thumb thumb(this);
        thumb.setParams(bad, 0, 0, false);
        const QList<QVariantList> out = emitted(thumb);
        QCOMPARE(out.size(), 1);
        QVERIFY(out[0][0].value<QImage>().isNull());
    }

    void copyJobs()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("a.jpg"));
        const QString target = dir.filePath(QStringLiteral("b.jpg"));
        QVERIFY(DemoData::writePhoto(source, 100, 80, QStringLiteral("a")));
        QThreadPool::globalInstance()->start(new CopyFileThread(source, target));
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(!QFile::exists(source));
        QCOMPARE(QImage(target).size(), QSize(100, 80));

        // A copy that fails keeps the source.
        QThreadPool::globalInstance()->start(new CopyFileThread(target, dir.filePath(QStringLiteral("no/such/c.jpg"))));
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(QFile::exists(target));

        QThreadPool::globalInstance()->start(new CopyFileThread(target));
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_MAIN(TestImageThreads)
#include "tst_imagethreads.moc"
