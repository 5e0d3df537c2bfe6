#include "photostore/picturecache.h"
#include "viewer/pictureloader.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// What a viewer's loader keeps of a photo many times its box: a picture a few times the box
// at most, whatever the file; the whole picture only when asked for.
class TestPictureLoader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<PictureCache::Picture>(); }

    void keptPictureStaysNearTheBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("kept");
        // libjpeg decodes at 1/8: 300 x 200, enough for the box and kept so.
        QTest::newRow("jpeg reduced while decoding") << "a.jpg" << QSize(250, 150) << QSize(300, 200);
        // Even 1/8 is three times the box: only the fitted picture is kept.
        QTest::newRow("jpeg beyond 1/8 of the box") << "a.jpg" << QSize(100, 100) << QSize(100, 66);
        // A PNG is decoded whole, 2400 x 1600.
        QTest::newRow("png decoded whole") << "a.png" << QSize(300, 200) << QSize(300, 200);
    }

    void keptPictureStaysNearTheBox()
    {
        QFETCH(QString, name);
        QFETCH(QSize, box);
        QFETCH(QSize, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QImage photo(2400, 1600, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QVERIFY(photo.save(path));
        PictureCache::shared().forgetAll();

        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::loaded);
        loader.setBox(box);
        loader.want({path});
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 20000);
        PictureCache::Picture picture;
        QVERIFY(loader.cached(path, &picture));
        QCOMPARE(picture.image.size(), kept);
        QCOMPARE(picture.fitted.size(), QSize(2400, 1600).scaled(box, Qt::KeepAspectRatio));
        QCOMPARE(picture.fullSize, QSize(2400, 1600));
        QVERIFY(picture.isReduced());

        // Zooming in still gets the whole photo.
        loader.readWhole(path);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 2, 20000);
        QCOMPARE(loaded.at(1).at(1).value<PictureCache::Picture>().image.size(), QSize(2400, 1600));
        QVERIFY(loader.cached(path, &picture));
        QCOMPARE(picture.image.size(), kept);
    }
};

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
