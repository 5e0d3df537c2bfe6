#include "photostore/image.h"
#include "tests/support/eventwait.h"
#include "tests/support/poolblocker.h"
#include "tests/support/orderfolder.h"
#include "tests/support/toplevel.h"
#include "workspace/albumthumbnails.h"
#include "workspace/thumbreplyrelay.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QThreadPool>
#include <QtTest>

namespace {

struct Recorded
{
    QList<int> ready;     // indices, in arrival order
    QList<bool> nullIcon; // per ready reply
    QList<int> refreshed;
    int dropped = 0;
};

} // namespace

class TestAlbumThumbnails : public QObject
{
    Q_OBJECT
private:
    OrderFolder* m_fixture = nullptr;
    QList<Image> m_photos;

    static void record(AlbumThumbnails* jobs, Recorded* out)
    {
        QObject::connect(jobs, &AlbumThumbnails::iconReady, jobs, [out](int index, QPixmap icon, int) {
            out->ready.append(index);
            out->nullIcon.append(icon.isNull());
        });
        QObject::connect(jobs, &AlbumThumbnails::iconRefreshed, jobs,
            [out](int index, QPixmap, int) { out->refreshed.append(index); });
        QObject::connect(jobs, &AlbumThumbnails::jobDropped, jobs, [out] { ++out->dropped; });
    }

    static void settle()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        m_fixture = new OrderFolder(OrderFolder::ThumbnailFolders);
        QVERIFY(m_fixture->isValid());
        for (int i = 0; i < 4; ++i)
            m_photos.append(m_fixture->addPhoto(PHOTO_FINE, QStringLiteral("IMG_%1.jpg").arg(i), 300, 200));
    }
    void cleanupTestCase() { delete m_fixture; }

    // Every photo answers once with its own index; a file that is no JPEG answers an empty
    // icon and does not hold up the others.
    void everyPhotoAnswers()
    {
        QList<Image> photos = m_photos;
        Image broken = m_photos.first();
        broken.Setpath(QStringLiteral("broken.jpg"));
        QFile f(broken.GetBigImagePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a picture");
        f.close();
        photos.insert(1, broken);

        AlbumThumbnails jobs;
        Recorded got;
        record(&jobs, &got);
        QCOMPARE(jobs.startBatch(photos), 5);
        QVERIFY(waitUntil([&] { return got.ready.size() == 5; }));
        std::sort(got.ready.begin(), got.ready.end());
        QCOMPARE(got.ready, (QList<int> {0, 1, 2, 3, 4}));
        settle();
        QCOMPARE(got.ready.size(), 5);
        QCOMPARE(got.dropped, 0);
        QCOMPARE(got.nullIcon.count(true), 1);
    }

    // A new batch calls off the old one: its queued jobs do nothing and no reply of it
    // arrives, whether queued or already running.
    void newBatchDropsTheOld()
    {
        AlbumThumbnails jobs;
        Recorded got;
        record(&jobs, &got);
        PoolBlocker pool;
        jobs.startBatch(m_photos);
        jobs.refreshOne(m_photos.at(3), 3, false);
        jobs.startBatch(m_photos.mid(0, 2));
        pool.release();
        settle();
        std::sort(got.ready.begin(), got.ready.end());
        QCOMPARE(got.ready, (QList<int> {0, 1}));
        QVERIFY(got.refreshed.isEmpty());
        QCOMPARE(got.dropped, 0);
    }

    // A job already running when its batch was replaced still replies, late: that reply
    // reaches nobody, whatever its index.
    void lateReplyOfRunningJobIsDropped()
    {
        auto relays = [] {
            QList<QPointer<ThumbReplyRelay>> found;
            for (ThumbReplyRelay* relay : topLevelWindows<ThumbReplyRelay>())
                found << relay;
            return found;
        };
        settle();
        const int before = relays().size();
        AlbumThumbnails jobs;
        Recorded got;
        record(&jobs, &got);
        jobs.startBatch({});
        const QList<QPointer<ThumbReplyRelay>> old = relays();
        QVERIFY(old.size() >= 2);
        jobs.startBatch({});
        for (const QPointer<ThumbReplyRelay>& relay : old)
            if (relay)
                QMetaObject::invokeMethod(
                    relay.data(), "updateThumbIcon", Q_ARG(int, 7), Q_ARG(QPixmap, QPixmap()), Q_ARG(int, 1));
        QVERIFY(got.ready.isEmpty());
        QVERIFY(got.refreshed.isEmpty());
        settle();
        // The old batch's relays are gone; the current two remain.
        QCOMPARE(relays().size(), before + 2);
    }

    // Another window clearing the global pool throws the queued jobs away: each counted one
    // is reported dropped, so the panel's count still completes; uncounted ones are not.
    void poolClearIsAccountedFor()
    {
        AlbumThumbnails jobs;
        Recorded got;
        record(&jobs, &got);
        PoolBlocker pool;
        jobs.startBatch(m_photos);
        jobs.refreshOne(m_photos.at(0), 0, false);
        QThreadPool::globalInstance()->clear();
        pool.release();
        settle();
        QCOMPARE(got.dropped, m_photos.size());
        QVERIFY(got.ready.isEmpty());
        QVERIFY(got.refreshed.isEmpty());

        // Dropped jobs of a batch that has since been replaced are not reported.
        PoolBlocker again;
        jobs.startBatch(m_photos);
        QThreadPool::globalInstance()->clear();
        jobs.startBatch({});
        again.release();
        settle();
        QCOMPARE(got.dropped, m_photos.size());
    }

    // A single refresh answers through its own signal and never counts.
    void singleRefreshIsNotCounted()
    {
        AlbumThumbnails jobs;
        Recorded got;
        record(&jobs, &got);
        jobs.startBatch({});
        jobs.refreshOne(m_photos.at(2), 2, false);
        jobs.refreshOne(m_photos.at(1), 1, true);
        QVERIFY(waitUntil([&] { return got.refreshed.size() == 2; }));
        std::sort(got.refreshed.begin(), got.refreshed.end());
        QCOMPARE(got.refreshed, (QList<int> {1, 2}));
        QVERIFY(got.ready.isEmpty());
    }

    // The panel going away while its jobs queue: nothing is delivered, nothing breaks.
    void destroyedWhileQueued()
    {
        Recorded got;
        PoolBlocker pool;
        {
            AlbumThumbnails jobs;
            record(&jobs, &got);
            jobs.startBatch(m_photos);
        }
        pool.release();
        settle();
        QVERIFY(got.ready.isEmpty());
    }
};

QTEST_MAIN(TestAlbumThumbnails)
#include "tst_albumthumbnails.moc"
