#include "photostore/imageoperation.h"
#include "tests/support/exifjpeg.h"
#include "tests/support/orderfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using ExifJpeg::segment;

QByteArray jpegBytes(int w, int h, QColor colour = Qt::gray)
{
    return ExifJpeg::plain(w, h, colour);
}

QByteArray jpegWithExif(int orientation, bool littleEndian, int padding = 0)
{
    return ExifJpeg::withOrientation(jpegBytes(64, 48), orientation, littleEndian, padding);
}

// Patches the frame header of a JPEG to claim other dimensions.
QByteArray withClaimedSize(QByteArray jpeg, int w, int h)
{
    for (int i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            qToBigEndian(quint16(h), jpeg.data() + i + 5);
            qToBigEndian(quint16(w), jpeg.data() + i + 7);
            break;
        }
    }
    return jpeg;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isDark(QRgb c)
{
    return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60;
}

} // namespace

class TestImageOperation : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void direction_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expected");
        for (int o : {1, 3, 6, 8}) {
            for (bool little : {false, true}) {
                const char* order = little ? "II" : "MM";
                QTest::addRow("%d %s even", o, order) << jpegWithExif(o, little, 4) << o;
                QTest::addRow("%d %s odd", o, order) << jpegWithExif(o, little, 3) << o;
            }
        }
        QTest::newRow("no exif") << jpegBytes(64, 48) << 1;
        QTest::newRow("value out of range") << jpegWithExif(9, true) << 1;
        // Bytes that look like the tag in a comment are no tag.
        QByteArray stray = jpegBytes(64, 48);
        stray.insert(2, segment(0xFE, QByteArray::fromHex("0112000300000001000600")));
        QTest::newRow("stray bytes in a comment") << stray << 1;
        QTest::newRow("cut inside the exif block") << jpegWithExif(6, false).left(30) << 1;
        QTest::newRow("not an image") << QByteArray("hello world, no picture here") << 1;
        QTest::newRow("empty file") << QByteArray() << 1;
    }
    void direction()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, expected);
        const QString path = file(QStringLiteral("dir.jpg"));
        QVERIFY(writeFile(path, content));
        QCOMPARE(ImageOperation::getDirection(path), expected);
        if (expected > 1) { // Qt's own reader reads the same tag
            QImageReader reader(path);
            QCOMPARE(int(reader.transformation()) != 0, true);
        }
    }

    void directionFindsTagAtOddOffset()
    {
        const QByteArray jpeg = jpegWithExif(6, true, 3);
        const int at = jpeg.indexOf(QByteArray::fromHex("12010300"));
        QVERIFY(at > 0 && at % 2 == 1);
        const QString path = file(QStringLiteral("odd.jpg"));
        QVERIFY(writeFile(path, jpeg));
        QCOMPARE(ImageOperation::getDirection(path), 6);
        QCOMPARE(ImageOperation::getDirection(file(QStringLiteral("missing.jpg"))), 1);
    }

    void rotate_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("markAt"); // where the top-left corner ends up
        QTest::newRow("1 unchanged") << 1 << QSize(40, 20) << QPoint(0, 0);
        QTest::newRow("0 unchanged") << 0 << QSize(40, 20) << QPoint(0, 0);
        QTest::newRow("2 mirrored") << 2 << QSize(40, 20) << QPoint(39, 0);
        QTest::newRow("3 half turn") << 3 << QSize(40, 20) << QPoint(39, 19);
        QTest::newRow("4 flipped") << 4 << QSize(40, 20) << QPoint(0, 19);
        QTest::newRow("5 transposed") << 5 << QSize(20, 40) << QPoint(0, 0);
        QTest::newRow("6 clockwise") << 6 << QSize(20, 40) << QPoint(19, 0);
        QTest::newRow("7 transversed") << 7 << QSize(20, 40) << QPoint(19, 39);
        QTest::newRow("8 counter-clockwise") << 8 << QSize(20, 40) << QPoint(0, 39);
        QTest::newRow("99 unchanged") << 99 << QSize(40, 20) << QPoint(0, 0);
    }
    void rotate()
    {
        QFETCH(int, direction);
        QFETCH(QSize, size);
        QFETCH(QPoint, markAt);
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        const QImage turned = ImageOperation::rotateImage(image, direction);
        QCOMPARE(turned.size(), size);
        QCOMPARE(turned.pixel(markAt), qRgb(255, 0, 0));
        const QPixmap pix = ImageOperation::rotateImage(QPixmap::fromImage(image), direction);
        QCOMPARE(pix.size(), size);
    }

    void badgeWidth_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("width"); // 0: no badge
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("5") << 5 << 7;
        QTest::newRow("10") << 10 << 7;
        QTest::newRow("11") << 11 << 12;
        QTest::newRow("100") << 100 << 12;
        QTest::newRow("101") << 101 << 20;
    }
    void badgeWidth()
    {
        QFETCH(int, count);
        QFETCH(int, width);
        QImage white(100, 100, QImage::Format_RGB32);
        white.fill(Qt::white);
        const QImage icon = ImageOperation::getThumb(white, QRect(0, 0, 1, 1), 100, false, count);
        QCOMPARE(icon.size(), QSize(100, 100));
        // The badge's top edge: a dark run from x = 6 across the badge's width.
        const int row = icon.height() - 13;
        int run = 0;
        for (int x = 6; x < 60 && isDark(icon.pixel(x, row)); ++x)
            ++run;
        QCOMPARE(run, width == 0 ? 0 : width + 1);
        QVERIFY(!isDark(icon.pixel(40, row)));
    }

    void listIconDrawsCropOutline()
    {
        // 1200 x 800 photo: the crop space is 1000 x 666, the icon's thumbnail 100 x 66 inside a
        // 100 x 100 square; the right half as crop gives an outline from x = 50.
        QImage photo(1200, 800, QImage::Format_RGB32);
        photo.fill(Qt::white);
        const QImage icon = ImageOperation::getThumb(photo, QRect(500, 0, 500, 666), 100, false, 0);
        QCOMPARE(icon.size(), QSize(100, 100));
        const QColor outline(32, 45, 98);
        auto near = [&](int x, int y) {
            const QColor c = icon.pixelColor(x, y);
            return qAbs(c.red() - outline.red()) < 40 && qAbs(c.blue() - outline.blue()) < 40 && c.blue() > c.red();
        };
        QVERIFY(near(50, 50));
        QVERIFY(!near(25, 50));
        // Frame of the square.
        QVERIFY(isDark(icon.pixel(0, 50)) && isDark(icon.pixel(50, 0)));
        QCOMPARE(icon.pixel(50, 10), qRgb(255, 255, 255)); // above the thumbnail: white canvas
    }

    void scaleRectTruncates_data()
    {
        QTest::addColumn<QSize>("from");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QSize>("to");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("down") << QSize(1000, 667) << QRect(100, 100, 300, 300) << QSize(200, 133)
                              << QRect(20, 19, 60, 59);
        QTest::newRow("up") << QSize(100, 100) << QRect(1, 2, 3, 4) << QSize(250, 250) << QRect(2, 5, 7, 10);
        QTest::newRow("default crop") << QSize(1000, 667) << QRect(0, 0, 1, 1) << QSize(100, 66) << QRect(0, 0, 0, 0);
        QTest::newRow("empty from") << QSize(0, 0) << QRect(1, 1, 5, 5) << QSize(10, 10) << QRect();
        QTest::newRow("wider than int, scaled down")
            << QSize(1000, 1000) << QRect(QPoint(-2000000000, 0), QPoint(2000000000, 9)) << QSize(100, 100)
            << QRect(-200000000, 0, 400000000, 1);
        QTest::newRow("beyond int once scaled up")
            << QSize(10, 10) << QRect(0, 0, 2000000000, 5) << QSize(100, 100) << QRect();
        QTest::newRow("right and bottom edges at the end of int")
            << QSize(10, 10) << QRect(QPoint(2147483638, 2147483637), QPoint(2147483647, 2147483647)) << QSize(10, 10)
            << QRect(QPoint(2147483638, 2147483637), QPoint(2147483647, 2147483647));
    }
    void scaleRectTruncates()
    {
        QFETCH(QSize, from);
        QFETCH(QRect, rect);
        QFETCH(QSize, to);
        QFETCH(QRect, expected);
        QImage a(from, QImage::Format_RGB32), b(to, QImage::Format_RGB32);
        QCOMPARE(ImageOperation::scaleRect(a, rect, b), expected);
    }

    void scaleRectIntoThousandSpace()
    {
        QImage image(4000, 3000, QImage::Format_RGB32);
        QCOMPARE(ImageOperation::scaleRect(image, QRect(400, 300, 2000, 1500), 1000), QRect(100, 75, 500, 375));
    }

    void squareOfNullStaysNull()
    {
        QVERIFY(ImageOperation::getSquareImage(QImage()).isNull());
        QImage tall(30, 60, QImage::Format_RGB32);
        tall.fill(Qt::red);
        QCOMPARE(ImageOperation::getSquareImage(tall).size(), QSize(60, 60));
    }

    void loadImageIgnoresOrientation()
    {
        const QString path = file(QStringLiteral("turned.jpg"));
        QVERIFY(writeFile(path, jpegWithExif(6, false)));
        QCOMPARE(ImageOperation::loadImage(path).size(), QSize(64, 48));
        QVERIFY(ImageOperation::loadImage(file(QStringLiteral("nothing.jpg"))).isNull());
        // Format from the content, not the suffix.
        const QString png = file(QStringLiteral("really-a-jpeg.png"));
        QVERIFY(writeFile(png, jpegBytes(10, 8)));
        QCOMPARE(ImageOperation::loadImage(png).size(), QSize(10, 8));
    }

    void absurdDimensionsAreUnreadable_data()
    {
        QTest::addColumn<QSize>("claimed");
        QTest::newRow("too many pixels") << QSize(20000, 20000);
        QTest::newRow("longest sides, too many pixels") << QSize(65000, 4000);
    }
    void absurdDimensionsAreUnreadable()
    {
        QFETCH(QSize, claimed);
        const QString path = file(QStringLiteral("huge.jpg"));
        QVERIFY(writeFile(path, withClaimedSize(jpegBytes(64, 48), claimed.width(), claimed.height())));
        QCOMPARE(QImageReader(path).size(), claimed);
        QVERIFY(ImageOperation::loadImage(path).isNull());
        QVERIFY(ImageOperation::loadImageAtLeast(path, 200).isNull());
    }

    void scaledLoadKeepsAtLeastTheAskedSide()
    {
        const QString path = file(QStringLiteral("big.jpg"));
        QVERIFY(writeFile(path, jpegBytes(2400, 1600)));
        QSize full;
        QCOMPARE(ImageOperation::loadImageAtLeast(path, 1000, &full).size(), QSize(1200, 800));
        QCOMPARE(full, QSize(2400, 1600));
        QCOMPARE(ImageOperation::loadImageAtLeast(path, 200).size(), QSize(300, 200));
        QCOMPARE(ImageOperation::loadImageAtLeast(path, 2250).size(), QSize(2400, 1600));
    }

    void saveReplacesWholeFile()
    {
        const QString path = file(QStringLiteral("save/photo.JPG"));
        QVERIFY(QDir().mkpath(file(QStringLiteral("save"))));
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(ImageOperation::saveImage(image, path));
        QCOMPARE(QImageReader(path).format(), QByteArray("jpeg"));
        QCOMPARE(QImage(path).size(), QSize(120, 80));
        QVERIFY(!ImageOperation::saveImage(QImage(), path)); // nothing to write: file kept
        QCOMPARE(QImage(path).size(), QSize(120, 80));
        QCOMPARE(QDir(file(QStringLiteral("save"))).entryList(QDir::Files), QStringList {QStringLiteral("photo.JPG")});
    }

    // A save that fails half-way (here: the file size limit, as on a full disk) leaves the
    // old file exactly as it was and no stray temporary file.
    void interruptedSaveKeepsOldFile()
    {
        const QString folder = file(QStringLiteral("limit"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/photo.jpg");
        QVERIFY(writeFile(path, jpegBytes(64, 48)));
        const QByteArray before = readFile(path);

        QImage noise(1500, 1000, QImage::Format_RGB32);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 256, (x * y) % 256, (x + y * 31) % 256));

        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit limited = old;
        limited.rlim_cur = 20000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const bool saved = ImageOperation::saveImage(noise, path);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!saved);
        QCOMPARE(readFile(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList {QStringLiteral("photo.jpg")});
    }

    void readOnlyFolderKeepsOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; interruptedSaveKeepsOldFile covers the failure");
        const QString folder = file(QStringLiteral("ro"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/photo.jpg");
        QVERIFY(writeFile(path, jpegBytes(64, 48)));
        const QByteArray before = readFile(path);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::green);
        const bool saved = ImageOperation::saveImage(image, path);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QCOMPARE(readFile(path), before);
    }

    // Many writers of one thumbnail at once: whoever wins, the file is a whole picture.
    void concurrentSavesLeaveWholeFile()
    {
        const QString folder = file(QStringLiteral("race"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/t.jpg");
        QList<int> sizes;
        for (int i = 0; i < 16; ++i)
            sizes << 200 + i * 40;
        const QList<bool> results
            = QtConcurrent::blockingMapped(sizes, std::function<bool(const int&)>([path](const int& w) {
                  QImage image(w, w / 2, QImage::Format_RGB32);
                  image.fill(QColor::fromHsv(w % 360, 200, 200));
                  return ImageOperation::saveImage(image, path);
              }));
        QVERIFY(!results.contains(false));
        const QImage result(path);
        QVERIFY(!result.isNull());
        QVERIFY(sizes.contains(result.width()));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
    }

    // A panorama far longer than high is small in pixels: it is read like any photo.
    void panoramaIsRead()
    {
        const QString path = file(QStringLiteral("panorama.jpg"));
        QVERIFY(writeFile(path, jpegBytes(40000, 10, Qt::red)));
        QCOMPARE(ImageOperation::loadImage(path).size(), QSize(40000, 10));
        QVERIFY(!ImageOperation::loadImageAtLeast(path, 200).isNull());
        QVERIFY(ImageOperation::isSaneSize(QSize(65535, 100)));
        QVERIFY(!ImageOperation::isSaneSize(QSize(65536, 100)));
    }

    void completeness_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");
        QImage picture(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
        const QByteArray baseline = ExifJpeg::encode(picture, 95);
        QByteArray progressive;
        {
            QBuffer buffer(&progressive);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "jpeg");
            writer.setProgressiveScanWrite(true);
            QVERIFY(writer.write(picture));
        }
        // An EXIF block that carries a whole small JPEG, end marker included.
        QByteArray withThumb = baseline;
        withThumb.insert(2, ExifJpeg::segment(0xE1, QByteArray("Exif\0\0", 6) + jpegBytes(16, 16)));
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "PNG");
        }
        QTest::newRow("whole") << baseline << true;
        QTest::newRow("first half") << baseline.left(baseline.size() / 2) << false;
        QTest::newRow("all but the end marker") << baseline.left(baseline.size() - 2) << false;
        QTest::newRow("zeros after the end") << baseline + QByteArray(100, 0) << true;
        QTest::newRow("progressive, whole") << progressive << true;
        QTest::newRow("progressive, first half") << progressive.left(progressive.size() / 2) << false;
        QTest::newRow("embedded thumbnail, whole") << withThumb << true;
        QTest::newRow("embedded thumbnail, first half") << withThumb.left(withThumb.size() / 2) << false;
        QTest::newRow("cut inside a header") << baseline.left(40) << false;
        QTest::newRow("png") << png << true;
    }
    void completeness()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        const QString path = file(QStringLiteral("complete.jpg"));
        QVERIFY(writeFile(path, data));
        QCOMPARE(ImageOperation::isComplete(path), complete);
        QVERIFY(!ImageOperation::isComplete(file(QStringLiteral("missing.jpg"))));
    }

    // A photo still being copied onto the share gets an icon, but no thumbnail level is
    // stored from its half-grey picture; once the file is whole the levels are made from it.
    void halfCopiedPhotoStoresNoLevels()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("copying.jpg"), 1200, 800);
        const QString full = photo.GetBigImagePath();
        const QByteArray whole = order.read(full);
        QVERIFY(writeFile(full, whole.left(whole.size() / 2)));
        const QStringList levels = {photo.GetMiddleImagePath(), photo.GetImagePath(), photo.GetThumbPath100()};
        auto noLevels = [&] {
            for (const QString& level : levels)
                if (order.exists(level))
                    return false;
            return true;
        };

        QCOMPARE(ImageOperation::getThumb(photo, 100).size(), QSize(100, 100));
        QVERIFY(noLevels());
        QVERIFY(!ImageOperation::getThumbEnforce(photo, 100).isNull());
        QVERIFY(noLevels());
        QVERIFY(!ImageOperation::getWebViewThumb(photo, 88).isNull());
        QVERIFY(noLevels());

        QVERIFY(writeFile(full, whole));
        ImageOperation::getThumb(photo, 100);
        for (const QString& level : levels)
            QVERIFY2(order.exists(level), qPrintable(level));
        // The lower edge holds the photo's colour, not the grey of missing data.
        const QImage list = ImageOperation::loadImage(photo.GetThumbPath100());
        const QColor expected = ImageOperation::loadImage(full).pixelColor(600, 780);
        const QColor seen = list.pixelColor(list.width() / 2, list.height() - 2);
        QVERIFY2(qAbs(seen.hue() - expected.hue()) < 20 && seen.saturation() > 40,
            qPrintable(seen.name() + " " + expected.name()));
    }

    void levelsFromFullSize_data()
    {
        QTest::addColumn<QSize>("full");
        QTest::addColumn<QSize>("middle");
        QTest::addColumn<QSize>("small");
        QTest::addColumn<QSize>("list");
        QTest::newRow("small photo is enlarged")
            << QSize(640, 480) << QSize(2250, 1687) << QSize(1000, 749) << QSize(200, 149);
        QTest::newRow("large, decoded at half")
            << QSize(4800, 3200) << QSize(2250, 1500) << QSize(1000, 666) << QSize(200, 133);
        QTest::newRow("odd sides") << QSize(4801, 3203) << QSize(2250, 1501) << QSize(1000, 667) << QSize(200, 133);
        QTest::newRow("portrait") << QSize(1600, 2400) << QSize(1500, 2250) << QSize(666, 1000) << QSize(133, 200);
    }
    // Each level is scaled from the level before it, so the small level of the 640 x 480
    // photo comes from the 2250 x 1687 middle image.
    void levelsFromFullSize()
    {
        QFETCH(QSize, full);
        QFETCH(QSize, middle);
        QFETCH(QSize, small);
        QFETCH(QSize, list);
        OrderFolder order(OrderFolder::ThumbnailFolders);
        Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("a.jpg"), full.width(), full.height());
        photo.setProductId(QStringLiteral("用1"));
        const QPixmap icon = ImageOperation::getThumb(photo, 100);
        QCOMPARE(icon.size(), QSize(100, 100));
        QCOMPARE(order.sizeOf(photo.GetMiddleImagePath()), middle);
        QCOMPARE(order.sizeOf(photo.GetImagePath()), small);
        QCOMPARE(order.sizeOf(photo.GetThumbPath100()), list);
    }

    void existingListThumbIsAllThatIsRead()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        Image photo;
        photo.SetPhotoType(PHOTO_FINE);
        photo.Setpath(QStringLiteral("only-list.jpg")); // no full-size file, no other level
        QImage list(200, 133, QImage::Format_RGB32);
        list.fill(Qt::darkGreen);
        QVERIFY(list.save(photo.GetThumbPath100()));
        const QByteArray before = order.read(photo.GetThumbPath100());
        const QPixmap icon = ImageOperation::getThumb(photo, 100);
        QCOMPARE(icon.size(), QSize(100, 100));
        QCOMPARE(icon.toImage().pixelColor(50, 50).green() > 60, true);
        QVERIFY(!order.exists(photo.GetMiddleImagePath()));
        QVERIFY(!order.exists(photo.GetImagePath()));
        QCOMPARE(order.read(photo.GetThumbPath100()), before);
    }

    void onlyMissingLevelsAreWritten()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_RAW, QStringLiteral("b.jpg"), 1200, 800);
        QImage middle(2250, 1500, QImage::Format_RGB32);
        middle.fill(Qt::red);
        QVERIFY(middle.save(photo.GetMiddleImagePath()));
        order.age(photo.GetMiddleImagePath());
        const QDateTime aged = order.modified(photo.GetMiddleImagePath());
        ImageOperation::getThumb(photo, 100);
        QCOMPARE(order.modified(photo.GetMiddleImagePath()), aged);
        QCOMPARE(order.sizeOf(photo.GetImagePath()), QSize(1000, 666));
        QCOMPARE(order.sizeOf(photo.GetThumbPath100()), QSize(200, 133));
        // Made from the full-size file, not from the red middle image.
        QVERIFY(QImage(photo.GetImagePath()).pixelColor(500, 300).red() < 250);
    }

    void unreadableListThumbIsMadeAgain()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_DESIGN, QStringLiteral("c.jpg"), 800, 600);
        QFile broken(photo.GetThumbPath100());
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray::fromHex("FFD8FFE000104A464946")); // a cut-off JPEG
        broken.close();
        QCOMPARE(ImageOperation::getThumb(photo, 100).size(), QSize(100, 100));
        QCOMPARE(order.sizeOf(photo.GetThumbPath100()), QSize(200, 149)); // via 2250 x 1687
    }

    void enforceRewritesEveryLevel()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("d.jpg"), 900, 600);
        ImageOperation::getThumb(photo, 100);
        const QStringList levels = {photo.GetMiddleImagePath(), photo.GetImagePath(), photo.GetThumbPath100()};
        for (const QString& level : levels)
            order.age(level);
        const QDateTime aged = order.modified(photo.GetThumbPath100());
        QCOMPARE(ImageOperation::getThumbEnforce(photo, 100).size(), QSize(100, 100));
        for (const QString& level : levels)
            QVERIFY2(order.modified(level) > aged, qPrintable(level));
        QCOMPARE(order.sizeOf(photo.GetMiddleImagePath()), QSize(2250, 1500));
    }

    void enforceOfMissingFileWritesNothing()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        Image photo;
        photo.SetPhotoType(PHOTO_FINE);
        photo.Setpath(QStringLiteral("gone.jpg"));
        QVERIFY(ImageOperation::getThumbEnforce(photo, 100).isNull());
        QVERIFY(!order.exists(photo.GetMiddleImagePath()));
        QVERIFY(!order.exists(photo.GetImagePath()));
        QVERIFY(!order.exists(photo.GetThumbPath100()));
    }

    void sheetIconFromSmallThumbWithoutBadge()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("e.jpg"), 3000, 2000);
        photo.setProductId(QStringLiteral("用1用2"));
        const QImage icon = ImageOperation::getWebViewThumb(photo, 88).toImage();
        QCOMPARE(icon.size(), QSize(88, 88));
        QCOMPARE(order.sizeOf(photo.GetImagePath()), QSize(1000, 666));
        QVERIFY(!order.exists(photo.GetMiddleImagePath()));
        QVERIFY(!isDark(icon.pixel(8, 88 - 13))); // no badge
    }

    void grayImage_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QRect>("crop");
        QTest::addColumn<bool>("ellipse");
        QTest::addColumn<bool>("shaded");
        QTest::newRow("narrow crop") << 1 << QRect(50, 50, 20, 100) << false << false;
        QTest::newRow("flat crop") << 1 << QRect(50, 50, 100, 20) << false << false;
        QTest::newRow("21 x 21") << 1 << QRect(50, 50, 21, 21) << false << true;
        QTest::newRow("raw album") << 0 << QRect(50, 50, 100, 100) << false << false;
        QTest::newRow("set aside") << 2 << QRect(50, 50, 100, 100) << false << false;
        QTest::newRow("ellipse") << 1 << QRect(50, 50, 100, 100) << true << true;
    }
    void grayImage()
    {
        QFETCH(int, type);
        QFETCH(QRect, crop);
        QFETCH(bool, ellipse);
        QFETCH(bool, shaded);
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QImage out = ImageOperation::getGrayImage(PHOTOTYPE(type), image, crop, ellipse);
        QCOMPARE(out.size(), image.size());
        if (!shaded) {
            QCOMPARE(out, image);
            return;
        }
        QVERIFY(qRed(out.pixel(10, 10)) < 100);                  // outside: darkened
        QCOMPARE(out.pixel(crop.center()), qRgb(255, 255, 255)); // inside: clear
        if (ellipse)
            QVERIFY(qRed(out.pixel(crop.x() + 3, crop.y() + 3)) < 100); // corner outside the ellipse
    }

    void colourFunctions()
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(qRgb(200, 100, 50));
        const QImage corrected = ImageOperation::correctImageColors(image);
        QCOMPARE(corrected.format(), QImage::Format_ARGB32);
        QVERIFY(qRed(corrected.pixel(0, 0)) < 200 && qAlpha(corrected.pixel(0, 0)) == 255);
        // grey = 124; r: (200-124)*0.5+124 = 162, *0.97 -> 157; g: 112*1.01 -> 113; b: 87
        const QImage less = ImageOperation::reduceSaturation(image, 0.5);
        QCOMPARE(less.pixel(1, 1), qRgb(157, 113, 87));
        QVERIFY(ImageOperation::reduceSaturation(QImage(), 0.5).isNull());
        QVERIFY(ImageOperation::getRotatedImage(QStringLiteral("x")).isNull());
    }
};

QTEST_MAIN(TestImageOperation)
#include "tst_imageoperation.moc"
