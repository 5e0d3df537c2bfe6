#include "photostore/imagedata.h"
#include "tests/support/eventwait.h"
#include "tests/support/poolblocker.h"
#include "tests/support/widgetmouse.h"
#include "viewer/imageediter.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QImage halves(int w, int h, QColor left, QColor right)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(left);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            image.setPixelColor(x, y, right);
    return image;
}

QImage filled(int w, int h, QColor colour)
{
    return halves(w, h, colour, colour);
}

// Red rises from 0 at the left edge to 255 at the right edge; blue marks the picture.
QImage gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, QColor(x * 255 / (w - 1), 0, 255));
    return image;
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

QColor pixel(ImageEditer& editer, QPoint at)
{
    return editer.grab().toImage().pixelColor(at);
}

} // namespace

class TestImageEditer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QImage& image)
    {
        const QString path = m_dir.filePath(name);
        image.save(path, "PNG");
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void fitsAndZoomsWithinLevels_data()
    {
        QTest::addColumn<int>("larger");
        QTest::addColumn<int>("smaller");
        QTest::addColumn<QSize>("painted");
        QTest::newRow("fitted") << 0 << 0 << QSize(400, 200);
        QTest::newRow("one step of 1.25") << 1 << 0 << QSize(500, 250);
        QTest::newRow("level 7") << 7 << 0 << QSize(1907, 953);
        QTest::newRow("no step past level 7") << 9 << 0 << QSize(1907, 953);
        QTest::newRow("no step below level 0") << 3 << 5 << QSize(400, 200);
        QTest::newRow("back one step") << 3 << 1 << QSize(625, 312);
    }

    void fitsAndZoomsWithinLevels()
    {
        QFETCH(int, larger);
        QFETCH(int, smaller);
        QFETCH(QSize, painted);
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(filled(800, 400, Qt::red), QRect(), PHOTO_RAW, false);
        for (int i = 0; i < larger; ++i)
            editer.scaleLarge();
        for (int i = 0; i < smaller; ++i)
            editer.scaleSmall();
        editer.grab();
        QCOMPARE(editer.getImageRect().size(), painted);
        QCOMPARE(editer.getImageRect().topLeft(), QPoint((400 - painted.width()) / 2, (300 - painted.height()) / 2));

        // A new photo starts fitted again.
        editer.showImage(filled(800, 400, Qt::red), QRect(), PHOTO_RAW, false);
        QCOMPARE(editer.getImageRect(), QRect(0, 50, 400, 200));
    }

    void zoomActsOnlyWhileBrowsing()
    {
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(filled(800, 400, Qt::red), QRect(), PHOTO_RAW, false);
        editer.startClip(1, 1);
        editer.scaleLarge();
        QCOMPARE(editer.getImageRect().size(), QSize(400, 200));
    }

    void dragStopsAtThePictureEdges_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("dx");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<int>("red"); // red of the picture column seen at the probe
        QTest::newRow("far right: left edge at the widget's left") << 2 << 1000 << QPoint(0, 150) << 0;
        QTest::newRow("far left: right edge at the widget's right") << 2 << -1000 << QPoint(399, 150) << 255;
        QTest::newRow("level 7 far right") << 7 << 5000 << QPoint(0, 150) << 0;
    }

    void dragStopsAtThePictureEdges()
    {
        QFETCH(int, level);
        QFETCH(int, dx);
        QFETCH(QPoint, probe);
        QFETCH(int, red);
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(gradient(800, 400), QRect(), PHOTO_RAW, false);
        for (int i = 0; i < level; ++i)
            editer.scaleLarge();
        WidgetMouse::drag(&editer, QPoint(200, 150), QPoint(200 + dx, 150));
        const QColor seen = pixel(editer, probe);
        QVERIFY2(seen.blue() > 200, "the picture no longer covers the widget");
        QVERIFY2(qAbs(seen.red() - red) < 20, qPrintable(QString::number(seen.red())));
    }

    void smallPictureCannotBeDragged()
    {
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(gradient(800, 400), QRect(), PHOTO_RAW, false);
        const QImage before = editer.grab().toImage();
        WidgetMouse::drag(&editer, QPoint(200, 150), QPoint(350, 280));
        QCOMPARE(editer.grab().toImage(), before);
        QCOMPARE(editer.getImageRect(), QRect(0, 50, 400, 200));
    }

    void turnsTheViewByQuarterTurns_data()
    {
        QTest::addColumn<QList<int>>("turns"); // +1 clockwise, -1 anticlockwise
        QTest::addColumn<int>("angle");
        QTest::addColumn<bool>("upright"); // painted landscape
        QTest::addColumn<QColor>("first"); // colour at the top (turned) or left (upright)
        QTest::newRow("clockwise") << QList<int> {1} << 90 << false << QColor(Qt::red);
        QTest::newRow("anticlockwise") << QList<int> {-1} << -90 << false << QColor(Qt::blue);
        QTest::newRow("half turn") << QList<int> {1, 1} << 180 << true << QColor(Qt::blue);
        QTest::newRow("four clockwise: 360, not 0") << QList<int> {1, 1, 1, 1} << 360 << true << QColor(Qt::red);
        QTest::newRow("there and back") << QList<int> {1, -1} << 0 << true << QColor(Qt::red);
    }

    void turnsTheViewByQuarterTurns()
    {
        QFETCH(QList<int>, turns);
        QFETCH(int, angle);
        QFETCH(bool, upright);
        QFETCH(QColor, first);
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(halves(800, 400, Qt::red, Qt::blue), QRect(), PHOTO_RAW, false);
        for (int turn : turns)
            turn > 0 ? editer.rotateClockWise() : editer.rotateAntiClockWise();
        QCOMPARE(editer.roll_angle(), angle);
        if (upright) {
            QVERIFY(near(pixel(editer, QPoint(20, 150)), first));
            QCOMPARE(editer.getImageRect(), QRect(0, 50, 400, 200));
        } else {
            // Fitted unturned, then turned: taller than the widget.
            QVERIFY(near(pixel(editer, QPoint(200, 20)), first));
            QCOMPARE(editer.getImageRect(), QRect(100, -50, 200, 400));
        }
        // A new photo ends the turn.
        editer.showImage(halves(800, 400, Qt::red, Qt::blue), QRect(), PHOTO_RAW, false);
        QCOMPARE(editer.roll_angle(), 0);
    }

    void comparisonPutsTheRawPhotoLeft_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<QColor>("left");
        QTest::addColumn<QColor>("right");
        // The shown photo is red, its counterpart blue.
        QTest::newRow("raw album") << int(PHOTO_RAW) << QColor(Qt::red) << QColor(Qt::blue);
        QTest::newRow("selection album") << int(PHOTO_FINE) << QColor(Qt::blue) << QColor(Qt::red);
        QTest::newRow("other album: only black") << int(PHOTO_DESIGN) << QColor(Qt::black) << QColor(Qt::black);
    }

    void comparisonPutsTheRawPhotoLeft()
    {
        QFETCH(int, album);
        QFETCH(QColor, left);
        QFETCH(QColor, right);
        ImageData::getInstance()->setType(PHOTOTYPE(album), SELE_ALL);
        const QString counterpart = writeFile(QStringLiteral("counterpart.png"), filled(400, 300, Qt::blue));
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(filled(400, 300, Qt::red), QRect(), PHOTOTYPE(album), false);
        editer.showCompare(counterpart);
        QVERIFY(waitUntil([&] {
            const QImage shot = editer.grab().toImage();
            return near(shot.pixelColor(100, 150), left) && near(shot.pixelColor(300, 150), right);
        }));
        // Each half is flush against the centre line.
        if (album != PHOTO_DESIGN) {
            QVERIFY(near(pixel(editer, QPoint(199, 150)), left));
            QVERIFY(near(pixel(editer, QPoint(200, 150)), right));
            QVERIFY(near(pixel(editer, QPoint(100, 60)), Qt::black)); // 200 x 150, centred vertically
        }
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);
    }

    void lateCounterpartAfterAnotherPhotoIsDropped()
    {
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);
        const QString counterpart = writeFile(QStringLiteral("late.png"), filled(400, 300, Qt::blue));
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(filled(400, 300, Qt::red), QRect(), PHOTO_FINE, false);
        editer.showCompare(counterpart);
        editer.showImage(filled(400, 300, Qt::green), QRect(), PHOTO_FINE, false);
        // The counterpart loads in milliseconds; it must never take the widget over.
        QVERIFY(!waitUntil([&] { return near(pixel(editer, QPoint(100, 150)), Qt::blue); }, 1500));
        QVERIFY(near(pixel(editer, QPoint(200, 150)), Qt::green));
    }

    void gridPlacesPhotosRowByRow_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("side");
        QTest::newRow("one photo fills the widget") << 1 << 1;
        QTest::newRow("four: 2 x 2") << 4 << 2;
        QTest::newRow("five: 3 x 3, last row empty") << 5 << 3;
    }

    void gridPlacesPhotosRowByRow()
    {
        QFETCH(int, count);
        QFETCH(int, side);
        const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
        QList<QString> paths;
        for (int i = 0; i < count; ++i)
            paths << writeFile(QStringLiteral("cell%1.png").arg(i), filled(60, 60, colours.at(i)));
        ImageEditer editer;
        editer.resize(300, 300);
        editer.showImage(filled(300, 300, Qt::white), QRect(), PHOTO_FINE, false);
        editer.showCompare(paths);
        const int cell = 300 / side;
        auto cellColour = [&](const QImage& shot, int i) {
            return shot.pixelColor((i % side) * cell + cell / 2, (i / side) * cell + cell / 2);
        };
        QVERIFY(waitUntil([&] { return near(cellColour(editer.grab().toImage(), count - 1), colours.at(count - 1)); }));
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        const QImage shot = editer.grab().toImage();
        for (int i = 0; i < side * side; ++i)
            QVERIFY2(near(cellColour(shot, i), i < count ? colours.at(i) : QColor(Qt::black)),
                qPrintable(QString::number(i)));
    }

    void twoPathsUseTheTwoHalves()
    {
        const QList<QString> paths = {writeFile(QStringLiteral("a.png"), filled(100, 300, Qt::red)),
            writeFile(QStringLiteral("b.png"), filled(100, 300, Qt::blue))};
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(filled(400, 300, Qt::white), QRect(), PHOTO_FINE, false);
        editer.showCompare(paths);
        // Flush against the centre line from both sides (probed above the red notices of a
        // picture still loading).
        QVERIFY(waitUntil([&] {
            const QImage shot = editer.grab().toImage();
            return near(shot.pixelColor(150, 20), Qt::red) && near(shot.pixelColor(250, 20), Qt::blue);
        }));
        QVERIFY(near(pixel(editer, QPoint(50, 20)), Qt::black));
        QVERIFY(near(pixel(editer, QPoint(350, 20)), Qt::black));
    }

    void lateGridRepliesAreDropped_data()
    {
        QTest::addColumn<bool>("newGrid"); // else another photo is shown
        QTest::newRow("a new grid started") << true;
        QTest::newRow("another photo shown") << false;
    }

    void lateGridRepliesAreDropped()
    {
        QFETCH(bool, newGrid);
        const QString red = writeFile(QStringLiteral("old.png"), filled(60, 60, Qt::red));
        const QString blue = writeFile(QStringLiteral("new.png"), filled(60, 60, Qt::blue));
        ImageEditer editer;
        editer.resize(300, 300);
        editer.showImage(filled(300, 300, Qt::green), QRect(), PHOTO_FINE, false);
        {
            PoolBlocker blocker;
            editer.showCompare(QList<QString> {red, red, red});
            if (newGrid)
                editer.showCompare(QList<QString> {blue});
            else
                editer.showImage(filled(300, 300, Qt::green), QRect(), PHOTO_FINE, false);
        }
        QCoreApplication::processEvents(); // every reply is posted by now
        const QImage shot = editer.grab().toImage();
        const QColor expected = newGrid ? QColor(Qt::blue) : QColor(Qt::green);
        for (QPoint probe : {QPoint(50, 50), QPoint(150, 150), QPoint(250, 250)})
            QVERIFY(near(shot.pixelColor(probe), expected));
    }

    void runningLoadersOutliveTheirWidget()
    {
        QImage big(3000, 2000, QImage::Format_RGB32);
        big.fill(Qt::blue);
        const QString path = m_dir.filePath(QStringLiteral("big.jpg"));
        QVERIFY(big.save(path, "JPG"));
        auto editer = std::make_unique<ImageEditer>();
        editer->resize(300, 300);
        editer->showImage(filled(300, 300, Qt::green), QRect(), PHOTO_FINE, false);
        for (int i = 0; i < 5; ++i)
            editer->showCompare(path);
        editer.reset(); // a running loader destroyed here would abort the process
        QTest::qWait(500);
    }
};

QTEST_MAIN(TestImageEditer)
#include "tst_imageediter.moc"
