#include "photostore/fileoperation.h"
#include "photostore/imageoperation.h"
#include "photostore/picturecache.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
PictureCache::Picture picture(int width)
{
    PictureCache::Picture p;
    p.image = QImage(width, 10, QImage::Format_RGB32);
    p.image.fill(Qt::gray);
    return p;
}
} // namespace

class TestPictureCache : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheLatestUsedWithinItsCapacity()
    {
        PictureCache cache(3);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(cache.insert(QStringLiteral("/o/%1.jpg").arg(i), picture(i), cache.changeStamp()));
        PictureCache::Picture found;
        QVERIFY(cache.find(QStringLiteral("/o/1.jpg"), &found)); // now the latest used
        QCOMPARE(found.image.width(), 1);
        QVERIFY(cache.insert(QStringLiteral("/o/4.jpg"), picture(4), cache.changeStamp()));
        QCOMPARE(cache.size(), 3);
        QVERIFY(!cache.contains(QStringLiteral("/o/2.jpg")));
        QVERIFY(cache.contains(QStringLiteral("/o/1.jpg")));
        cache.retain({QStringLiteral("/o/4.jpg"), QStringLiteral("/o/9.jpg")});
        QCOMPARE(cache.paths(), QStringList {QStringLiteral("/o/4.jpg")});
    }

    // Two readers of one photo (the pane's box, the screen's) keep a picture each, within the
    // capacity each: neither pushes out nor drops the other's; a change forgets both.
    void ownersKeepTheirOwnPictures()
    {
        PictureCache cache(2);
        const PictureCache::Owner pane = PictureCache::newOwner();
        const PictureCache::Owner screen = PictureCache::newOwner();
        QVERIFY(pane != screen && pane > 0 && screen > 0);
        const QString a = QStringLiteral("/o/a.jpg");
        QVERIFY(cache.insert(a, picture(1), cache.changeStamp(), pane));
        QVERIFY(cache.insert(a, picture(2), cache.changeStamp(), screen));
        for (int i = 3; i <= 5; ++i)
            QVERIFY(cache.insert(QStringLiteral("/o/%1.jpg").arg(i), picture(i), cache.changeStamp(), screen));
        PictureCache::Picture found;
        QVERIFY(cache.find(a, &found, pane));
        QCOMPARE(found.image.width(), 1);
        QVERIFY(!cache.contains(a, screen));
        QCOMPARE(cache.size(pane), 1);
        QCOMPARE(cache.size(screen), 2);
        QCOMPARE(cache.size(), 3);

        QVERIFY(cache.insert(a, picture(2), cache.changeStamp(), screen));
        cache.retain({QStringLiteral("/o/5.jpg")}, pane);
        QVERIFY(!cache.contains(a, pane));
        QVERIFY(cache.find(a, &found, screen));
        QCOMPARE(found.image.width(), 2);
        cache.forget(a);
        QVERIFY(!cache.contains(a));
        QCOMPARE(cache.paths(), QStringList {QStringLiteral("/o/5.jpg")});
    }

    // A picture read while its file changed is refused; other files' changes do not matter.
    void refusesWhatChangedDuringTheRead_data()
    {
        QTest::addColumn<QString>("changed");
        QTest::addColumn<bool>("kept");
        QTest::newRow("same file") << "/o/a.jpg" << false;
        QTest::newRow("same file, other spelling") << "/o//b/../a.jpg" << false;
        QTest::newRow("its folder") << "folder:/o" << false;
        QTest::newRow("another file") << "/o/b.jpg" << true;
        QTest::newRow("another folder") << "folder:/p" << true;
    }

    void refusesWhatChangedDuringTheRead()
    {
        QFETCH(QString, changed);
        QFETCH(bool, kept);
        PictureCache cache;
        const quint64 stamp = cache.changeStamp();
        if (changed.startsWith(QLatin1String("folder:")))
            cache.forgetFolder(changed.mid(7));
        else
            cache.forget(changed);
        QCOMPARE(cache.insert(QStringLiteral("/o/a.jpg"), picture(5), stamp), kept);
        QCOMPARE(cache.contains(QStringLiteral("/o/a.jpg")), kept);
        // Read again after the change: kept.
        QVERIFY(cache.insert(QStringLiteral("/o/a.jpg"), picture(5), cache.changeStamp()));
    }

    // So many changes since the read began that the file's may have been lost: refused.
    void refusesWhenTheChangesOverflow()
    {
        PictureCache cache;
        const quint64 stamp = cache.changeStamp();
        for (int i = 0; i < 1000; ++i)
            cache.forget(QStringLiteral("/o/other%1.jpg").arg(i));
        QVERIFY(!cache.insert(QStringLiteral("/o/a.jpg"), picture(5), stamp));
    }

    // The writers of photo files tell the shared cache.
    void writersForgetThePictures()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.jpg"));
        const QString b = dir.filePath(QStringLiteral("b.jpg"));
        PictureCache& cache = PictureCache::shared();
        cache.forgetAll();
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(ImageOperation::saveImage(image, a));
        QVERIFY(cache.insert(a, picture(1), cache.changeStamp()));
        QVERIFY(ImageOperation::saveImage(image, a));
        QVERIFY(!cache.contains(a));

        QVERIFY(cache.insert(a, picture(1), cache.changeStamp()));
        QVERIFY(FileOperation::fileMove(a, b, false));
        QVERIFY(!cache.contains(a));
        QVERIFY(cache.insert(b, picture(1), cache.changeStamp()));
        QVERIFY(FileOperation::removeFile(b));
        QVERIFY(!cache.contains(b));
        cache.forgetAll();
    }
};

QTEST_GUILESS_MAIN(TestPictureCache)
#include "tst_picturecache.moc"
