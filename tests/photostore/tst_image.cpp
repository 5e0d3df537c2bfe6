#include "photostore/dirserver.h"
#include "photostore/image.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString order = QStringLiteral("/Volumes/pics/A001/");

Image photo(PHOTOTYPE type, const QString& name)
{
    Image image;
    image.SetPhotoType(type);
    image.Setpath(name);
    return image;
}
} // namespace

class TestImage : public QObject
{
    Q_OBJECT
private slots:
    void init() { DirServer::setOrderPath(order); }

    void defaultRecord()
    {
        const Image image;
        QCOMPARE(image.GetPicType(), PHOTO_RAW);
        QVERIFY(image.GetStrneed().isEmpty() && image.GetImageName().isEmpty());
        QVERIFY(image.getProductId().isEmpty());
        QCOMPARE(image.GetTrimrc(), QRect(0, 0, 1, 1));
        QVERIFY(!image.GetTrimrc().isNull());
        QVERIFY(!image.isEllipse());
        QCOMPARE(image.getProductNum(), 0);
        QCOMPARE(image.GetBigImagePath(), order + "照片/");
    }

    void copiesEveryField()
    {
        Image image = photo(PHOTO_FINE, "IMG_1.jpg");
        image.SetStrneed("瘦脸");
        image.setClipRect(QRect(10, 20, 300, 400), true);
        image.setProductId("用1用3");
        image.setFileNameOnDisk("IMG_1.JPG");
        Image copy;
        copy = image;
        const Image constructed(image);
        for (const Image& c : {copy, constructed}) {
            QCOMPARE(c.GetPicType(), PHOTO_FINE);
            QCOMPARE(c.GetStrneed(), QStringLiteral("瘦脸"));
            QCOMPARE(c.GetImageName(), QStringLiteral("IMG_1.jpg"));
            QCOMPARE(c.GetTrimrc(), QRect(10, 20, 300, 400));
            QVERIFY(c.isEllipse());
            QCOMPARE(c.getProductId(), QStringLiteral("用1用3"));
            QCOMPARE(c.fileNameOnDisk(), QStringLiteral("IMG_1.JPG"));
        }
    }

    void productNum_data()
    {
        QTest::addColumn<QString>("productId");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << "" << 0;
        QTest::newRow("one") << "用1" << 1;
        QTest::newRow("two") << "用1用3" << 2;
        QTest::newRow("same twice") << "用1用1" << 2;
        QTest::newRow("two digits") << "用12" << 1;
    }

    void productNum()
    {
        QFETCH(QString, productId);
        QFETCH(int, count);
        Image image;
        image.setProductId(productId);
        QCOMPARE(image.getProductNum(), count);
    }

    void paths_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("small");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("big");
        QTest::addColumn<QString>("compare");
        QTest::newRow("照片") << 0 << "thumbnail/"
                              << "thumbnail100/"
                              << "thumbnail2250/"
                              << "照片/"
                              << "成品/";
        QTest::newRow("成品") << 1 << "成品缩略图/"
                              << "成品缩略图100/"
                              << "成品缩略图2250/"
                              << "成品/"
                              << "照片/";
        QTest::newRow("汰片") << 2 << "成品缩略图/"
                              << "成品缩略图100/"
                              << "成品缩略图2250/"
                              << "汰片/"
                              << "";
        QTest::newRow("设计") << 3 << "设计缩略图/"
                              << "设计缩略图100/"
                              << "设计缩略图2250/"
                              << "设计/"
                              << "";
        QTest::newRow("设计汰片") << 4 << "设计缩略图/"
                                  << "设计缩略图100/"
                                  << "设计缩略图2250/"
                                  << "设计汰片/"
                                  << "";
        QTest::newRow("out of range") << 9 << "thumbnail/"
                                      << "thumbnail100/"
                                      << "thumbnail2250/"
                                      << "照片/"
                                      << "";
    }

    void paths()
    {
        QFETCH(int, type);
        QFETCH(QString, small);
        QFETCH(QString, list);
        QFETCH(QString, middle);
        QFETCH(QString, big);
        QFETCH(QString, compare);
        const QString name = QStringLiteral("IMG_0001.jpg");
        const Image image = photo(PHOTOTYPE(type), name);
        QCOMPARE(image.GetImagePath(), order + small + name);
        QCOMPARE(image.GetThumbPath100(), order + list + name);
        QCOMPARE(image.GetMiddleImagePath(), order + middle + name);
        QCOMPARE(image.GetBigImagePath(), order + big + name);
        QCOMPARE(image.GetCompareImagePath(), compare.isEmpty() ? QString() : order + compare + name);
    }

    void setAsideKeepsItsThumbnails()
    {
        Image image = photo(PHOTO_FINE, "a.jpg");
        const QStringList thumbs = {image.GetImagePath(), image.GetThumbPath100(), image.GetMiddleImagePath()};
        image.SetPhotoType(PHOTO_DELETED);
        QCOMPARE(image.GetBigImagePath(), order + "汰片/a.jpg");
        QCOMPARE(QStringList({image.GetImagePath(), image.GetThumbPath100(), image.GetMiddleImagePath()}), thumbs);
    }

    // On a case-sensitive disk the full-size path must name the real file, while the
    // thumbnails stay under the photo's name.
    void fullSizePathFindsTheRealFile_data()
    {
        QTest::addColumn<QString>("onDisk");
        QTest::newRow("camera") << "IMG_1.JPG";
        QTest::newRow("mixed") << "IMG_1.Jpg";
        QTest::newRow("same") << "IMG_1.jpg";
    }

    void fullSizePathFindsTheRealFile()
    {
        QFETCH(QString, onDisk);
        QTemporaryDir tmp;
        DirServer::setOrderPath(tmp.path() + "/");
        QVERIFY(QDir(tmp.path()).mkpath("成品"));
        QVERIFY(QDir(tmp.path()).mkpath("照片"));
        QFile(tmp.filePath("成品/" + onDisk)).open(QIODevice::WriteOnly);
        QFile(tmp.filePath("照片/" + onDisk)).open(QIODevice::WriteOnly);

        // A record made from a photo name alone looks the file up.
        Image byName = photo(PHOTO_FINE, "IMG_1.jpg");
        QCOMPARE(byName.GetBigImagePath(), tmp.filePath("成品/" + onDisk));
        QCOMPARE(byName.GetCompareImagePath(), tmp.filePath("照片/" + onDisk));
        QCOMPARE(byName.GetImagePath(), tmp.filePath("成品缩略图/IMG_1.jpg"));

        // A listed record knows its spelling and keeps it in every album.
        Image listed = byName;
        listed.setFileNameOnDisk(onDisk);
        listed.SetPhotoType(PHOTO_DELETED);
        QCOMPARE(listed.GetBigImagePath(), tmp.filePath("汰片/" + onDisk));

        // A different name forgets the old spelling; the same name keeps it.
        listed.Setpath(QStringLiteral("IMG_1.jpg"));
        QCOMPARE(listed.fileNameOnDisk(), onDisk);
        listed.Setpath(QStringLiteral("IMG_2.jpg"));
        QVERIFY(listed.fileNameOnDisk().isEmpty());
        QCOMPARE(listed.GetBigImagePath(), tmp.filePath("汰片/IMG_2.jpg"));
    }
};

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
