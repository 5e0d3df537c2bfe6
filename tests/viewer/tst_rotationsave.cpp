#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "tests/support/poolblocker.h"
#include "tests/support/promptrecorder.h"
#include "standin/demodata.h"
#include "tests/support/orderfolder.h"
#include "viewer/imageediter.h"
#include "viewer/rotationsave.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Left half red, right half blue, so a turn shows where the left half went.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            image.setPixelColor(x, y, Qt::blue);
    return image;
}

bool isRed(QColor c)
{
    return c.red() > 180 && c.blue() < 80;
}

bool isBlue(QColor c)
{
    return c.blue() > 180 && c.red() < 80;
}

enum class Side { Left, Top, Right, Bottom };

// Where the red half of a picture lies.
Side redSide(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    if (isRed(image.pixelColor(w / 8, h / 2)) && isBlue(image.pixelColor(w - 1 - w / 8, h / 2)))
        return Side::Left;
    if (isRed(image.pixelColor(w - 1 - w / 8, h / 2)) && isBlue(image.pixelColor(w / 8, h / 2)))
        return Side::Right;
    if (isRed(image.pixelColor(w / 2, h / 8)) && isBlue(image.pixelColor(w / 2, h - 1 - h / 8)))
        return Side::Top;
    return Side::Bottom;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

Q_DECLARE_METATYPE(Side)

class TestRotationSave : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<OrderFolder> m_fixture;
    QList<Image> m_photos;

    // Two photos in 成品, each with its full file and both thumbnails, the first current.
    void makeAlbum()
    {
        m_fixture = std::make_unique<OrderFolder>(OrderFolder::ThumbnailFolders);
        m_photos.clear();
        for (const QString& name : {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}) {
            Image photo;
            photo.SetPhotoType(PHOTO_FINE);
            photo.Setpath(name);
            QVERIFY(halves(120, 80).save(photo.GetBigImagePath(), "JPG", 95));
            QVERIFY(halves(60, 40).save(photo.GetImagePath(), "JPG", 95));
            QVERIFY(halves(90, 60).save(photo.GetMiddleImagePath(), "JPG", 95));
            QVERIFY(halves(30, 20).save(photo.GetThumbPath100(), "JPG", 95));
            m_photos << photo;
        }
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->setIterator(0, SELE_ALL);
    }

    void showCurrent(ImageEditer& editer)
    {
        const Image photo = ImageData::getInstance()->getCurrentImage();
        editer.showImage(
            ImageOperation::loadImage(photo.GetBigImagePath()), photo.GetImageName(), QRect(), PHOTO_FINE, false, 0);
    }

    QList<QByteArray> filesOf(const Image& photo)
    {
        return {contents(photo.GetBigImagePath()), contents(photo.GetImagePath()), contents(photo.GetMiddleImagePath()),
            contents(photo.GetThumbPath100())};
    }

private slots:
    void cleanup()
    {
        ImageData::getInstance()->clearImages();
        m_fixture.reset();
    }

    void savesTheTurnAsShown_data()
    {
        QTest::addColumn<QList<int>>("turns"); // +1 clockwise, -1 anticlockwise
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("written");
        QTest::addColumn<Side>("red");
        QTest::newRow("clockwise") << QList<int> {1} << 0 << true << Side::Top;
        QTest::newRow("anticlockwise") << QList<int> {-1} << 1 << true << Side::Bottom;
        QTest::newRow("half turn") << QList<int> {1, 1} << 0 << true << Side::Right;
        QTest::newRow("five clockwise: one quarter") << QList<int> {1, 1, 1, 1, 1} << 0 << true << Side::Top;
        QTest::newRow("four clockwise: nothing to save") << QList<int> {1, 1, 1, 1} << 0 << false << Side::Left;
        QTest::newRow("there and back: nothing to save") << QList<int> {1, -1} << 1 << false << Side::Left;
        QTest::newRow("no direction: nothing to save") << QList<int> {1} << 2 << false << Side::Left;
    }

    void savesTheTurnAsShown()
    {
        QFETCH(QList<int>, turns);
        QFETCH(int, mode);
        QFETCH(bool, written);
        QFETCH(Side, red);
        makeAlbum();
        const Image photo = m_photos.first();
        const QList<QByteArray> before = filesOf(photo);
        const QList<QByteArray> other = filesOf(m_photos.last());
        PromptRecorder prompts;
        ImageEditer editer;
        editer.resize(300, 300);
        showCurrent(editer);
        for (int turn : turns)
            turn > 0 ? editer.rotateClockWise() : editer.rotateAntiClockWise();
        QSignalSpy finished(&editer, &ImageEditer::rotateFinished);
        QSignalSpy saved(&editer, &ImageEditer::rotateSaved);
        editer.updateImageLib(mode, editer.roll_angle());
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(filesOf(m_photos.last()), other);
        if (!written) {
            QCOMPARE(saved.count(), 0);
            QCOMPARE(filesOf(photo), before);
            return;
        }
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().first().toInt(), 0);
        const bool quarter = red == Side::Top || red == Side::Bottom;
        const QStringList paths
            = {photo.GetBigImagePath(), photo.GetImagePath(), photo.GetMiddleImagePath(), photo.GetThumbPath100()};
        const QList<QSize> sizes = {QSize(120, 80), QSize(60, 40), QSize(90, 60), QSize(30, 20)};
        for (int i = 0; i < paths.size(); ++i) {
            const QImage file = ImageOperation::loadImage(paths.at(i));
            QCOMPARE(file.size(), quarter ? sizes.at(i).transposed() : sizes.at(i));
            QCOMPARE(redSide(file), red);
        }
        // Nothing is left beside the photos but the photos.
        QCOMPARE(QDir(QFileInfo(photo.GetBigImagePath()).path()).entryList(QDir::Files).size(), 2);
    }

    // Whatever the file's orientation tag, the saved file shows what the operator saw, turned.
    void taggedPhotoIsTurnedAsShown()
    {
        makeAlbum();
        const Image photo = m_photos.first();
        QVERIFY(DemoData::writePhoto(photo.GetBigImagePath(), 120, 80, QStringLiteral("a"), 6));
        PromptRecorder prompts;
        ImageEditer editer;
        editer.resize(300, 300);
        showCurrent(editer);
        const QImage shown = ImageOperation::loadImage(photo.GetBigImagePath());
        editer.rotateClockWise();
        QSignalSpy finished(&editer, &ImageEditer::rotateFinished);
        editer.updateImageLib(0, editer.roll_angle());
        QVERIFY(finished.wait(30000));
        const QImage expected = shown.transformed(QTransform().rotate(90)).convertToFormat(QImage::Format_RGB32);
        const QImage saved = ImageOperation::loadImage(photo.GetBigImagePath()).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.size(), expected.size());
        QCOMPARE(ImageOperation::getDirection(photo.GetBigImagePath()), 1);
        qint64 difference = 0;
        for (int y = 0; y < saved.height(); ++y)
            for (int x = 0; x < saved.width(); ++x)
                difference += qAbs(qGray(saved.pixel(x, y)) - qGray(expected.pixel(x, y)));
        QVERIFY(difference / (saved.width() * saved.height()) < 8);
    }

    void takesThePhotoOfTheClick()
    {
        makeAlbum();
        PromptRecorder prompts;
        ImageEditer editer;
        editer.resize(300, 300);
        showCurrent(editer);
        editer.rotateClockWise();
        QSignalSpy finished(&editer, &ImageEditer::rotateFinished);
        QSignalSpy saved(&editer, &ImageEditer::rotateSaved);
        const QList<QByteArray> second = filesOf(m_photos.last());
        {
            PoolBlocker blocker; // the save waits until the operator has moved on
            editer.updateImageLib(0, editer.roll_angle());
            ImageData::getInstance()->iteratorMoveNext();
            showCurrent(editer);
        }
        QVERIFY(finished.count() == 1 || finished.wait(30000));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().first().toInt(), 0);
        QCOMPARE(redSide(ImageOperation::loadImage(m_photos.first().GetBigImagePath())), Side::Top);
        QCOMPARE(filesOf(m_photos.last()), second);
    }

    void failedSaveKeepsTheOriginals_data()
    {
        QTest::addColumn<QByteArray>("full"); // what the full-size file holds, if anything
        QTest::addColumn<bool>("exists");
        QTest::newRow("full photo moved away meanwhile") << QByteArray() << false;
        QTest::newRow("full photo unreadable") << QByteArray("\xff\xd8\xff\xe0 not a picture") << true;
    }

    void failedSaveKeepsTheOriginals()
    {
        QFETCH(QByteArray, full);
        QFETCH(bool, exists);
        makeAlbum();
        const Image photo = m_photos.first();
        PromptRecorder prompts;
        ImageEditer editer;
        editer.resize(300, 300);
        showCurrent(editer);
        editer.rotateClockWise();
        QFile::remove(photo.GetBigImagePath());
        if (exists) {
            QFile file(photo.GetBigImagePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(full);
        }
        const QList<QByteArray> before = filesOf(photo);
        QSignalSpy finished(&editer, &ImageEditer::rotateFinished);
        QSignalSpy saved(&editer, &ImageEditer::rotateSaved);
        editer.updateImageLib(0, editer.roll_angle());
        QVERIFY(finished.wait(30000));
        QCOMPARE(saved.count(), 0);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(filesOf(photo), before);
        QCOMPARE(QFileInfo::exists(photo.GetBigImagePath()), exists);
    }

    // A photo moved to another album while its turn was being encoded is not written again
    // where it was: it would lie in both albums.
    void photoMovedMeanwhileIsNotWrittenBack()
    {
        makeAlbum();
        const Image photo = m_photos.first();
        RotationSave save;
        save.full = photo.GetBigImagePath();
        save.small = photo.GetImagePath();
        save.middle = photo.GetMiddleImagePath();
        save.list = photo.GetThumbPath100();
        save.angle = 90;
        const RotationSave::Turned turned = save.encode();
        QCOMPARE(turned.files.size(), 4);
        QTemporaryDir elsewhere;
        const QStringList paths {save.full, save.small, save.middle, save.list};
        QList<QByteArray> moved;
        for (int i = 0; i < paths.size(); ++i) {
            moved << contents(paths.at(i));
            QVERIFY(QFile::rename(paths.at(i), elsewhere.filePath(QString::number(i))));
        }
        QVERIFY(!save.replace(turned).isWritten);
        for (int i = 0; i < paths.size(); ++i) {
            QVERIFY2(!QFileInfo::exists(paths.at(i)), qPrintable(paths.at(i)));
            QCOMPARE(contents(elsewhere.filePath(QString::number(i))), moved.at(i));
        }
    }

    void nothingShownSavesNothing_data()
    {
        QTest::addColumn<bool>("emptyAlbum"); // else the widget shows no picture
        QTest::newRow("empty album") << true;
        QTest::newRow("no picture shown") << false;
    }

    void nothingShownSavesNothing()
    {
        QFETCH(bool, emptyAlbum);
        makeAlbum();
        const QList<QByteArray> before = filesOf(m_photos.first());
        PromptRecorder prompts;
        ImageEditer editer;
        editer.resize(300, 300);
        if (emptyAlbum) {
            showCurrent(editer);
            ImageData::getInstance()->clearImages();
        }
        editer.rotateClockWise();
        QSignalSpy finished(&editer, &ImageEditer::rotateFinished);
        QSignalSpy saved(&editer, &ImageEditer::rotateSaved);
        editer.updateImageLib(0, editer.roll_angle());
        QVERIFY(finished.wait(30000));
        QCOMPARE(saved.count(), 0);
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(filesOf(m_photos.first()), before);
    }
};

QTEST_MAIN(TestRotationSave)
#include "tst_rotationsave.moc"
