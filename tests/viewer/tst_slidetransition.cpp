#include "viewer/animimageview.h"
#include "viewer/imageediter.h"
#include "viewer/slidetransition.h"

#include <QPainter>
#include <QTimeLine>
#include <QtTest>

namespace {

QImage solid(int w, int h, QColor colour = Qt::red)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool isRed(const QColor& c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

bool isBlack(const QColor& c)
{
    return c.red() < 30 && c.green() < 30 && c.blue() < 30;
}

int redPixels(QWidget& widget)
{
    const QImage shot = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            count += isRed(shot.pixelColor(x, y)) ? 1 : 0;
    return count;
}

QColor centreOf(QWidget& widget)
{
    const QImage shot = widget.grab().toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

// The time line of a picture widget, held still so that a test drives the frames.
QTimeLine* heldTimeLine(QWidget& widget)
{
    QTimeLine* timeLine = widget.findChild<QTimeLine*>();
    if (timeLine)
        timeLine->stop();
    return timeLine;
}

} // namespace

Q_DECLARE_METATYPE(SlideTransition::Shape)

class TestSlideTransition : public QObject
{
    Q_OBJECT
private slots:
    void framesUncoverEightPixelsEach_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("last");
        QTest::newRow("800, first") << 800 << 0 << 0 << 100;
        QTest::newRow("800, second") << 800 << 1 << 8 << 100;
        QTest::newRow("800, last") << 800 << 100 << 800 << 100;
        QTest::newRow("805, first") << 805 << 0 << 5 << 100;
        QTest::newRow("805, second") << 805 << 1 << 13 << 100;
        QTest::newRow("805, last") << 805 << 100 << 805 << 100;
        QTest::newRow("7, the only frame") << 7 << 0 << 7 << 0;
    }

    void framesUncoverEightPixelsEach()
    {
        QFETCH(int, height);
        QFETCH(int, frame);
        QFETCH(int, position);
        QFETCH(int, last);
        QCOMPARE(SlideTransition::position(frame, height), position);
        QCOMPARE(SlideTransition::lastFrame(height), last);
    }

    // A 100 x 80 image centred at (50, 10) in a 200 x 100 widget: strips 11 wide, 9 high.
    void shapesCoverWhatIsNotUncovered_data()
    {
        QTest::addColumn<SlideTransition::Shape>("shape");
        QTest::addColumn<int>("position");
        QTest::addColumn<QPoint>("uncovered");
        QTest::addColumn<QPoint>("covered");
        QTest::newRow("wipe down") << SlideTransition::WipeDown << 40 << QPoint(100, 48) << QPoint(100, 52);
        QTest::newRow("horizontal blinds")
            << SlideTransition::HorizontalBlinds << 40 << QPoint(100, 12) << QPoint(100, 16);
        QTest::newRow("vertical blinds") << SlideTransition::VerticalBlinds << 40 << QPoint(52, 50) << QPoint(57, 50);
        QTest::newRow("centre opening") << SlideTransition::CentreOpening << 40 << QPoint(100, 50) << QPoint(60, 50);
        QTest::newRow("centre opening, above")
            << SlideTransition::CentreOpening << 40 << QPoint(100, 50) << QPoint(100, 20);
        QTest::newRow("checkerboard at half: even cell open")
            << SlideTransition::Checkerboard << 40 << QPoint(55, 14) << QPoint(66, 14);
        QTest::newRow("checkerboard at half: odd cell black")
            << SlideTransition::Checkerboard << 40 << QPoint(66, 23) << QPoint(62, 14);
        QTest::newRow("checkerboard, second half")
            << SlideTransition::Checkerboard << 60 << QPoint(63, 14) << QPoint(68, 14);
        QTest::newRow("black") << SlideTransition::Black << 40 << QPoint(-1, -1) << QPoint(100, 50);
    }

    void shapesCoverWhatIsNotUncovered()
    {
        QFETCH(SlideTransition::Shape, shape);
        QFETCH(int, position);
        QFETCH(QPoint, uncovered);
        QFETCH(QPoint, covered);
        QImage canvas = solid(200, 100, Qt::black);
        {
            QPainter painter(&canvas);
            SlideTransition::paint(painter, shape, solid(100, 80), canvas.size(), position);
        }
        if (uncovered.x() >= 0)
            QVERIFY(isRed(canvas.pixelColor(uncovered)));
        QVERIFY(isBlack(canvas.pixelColor(covered)));
        // Nothing is drawn outside the image, except by the black effect, which is all black.
        QVERIFY(isBlack(canvas.pixelColor(20, 50)));
    }

    void nullImagePaintsNothing()
    {
        QImage canvas = solid(50, 50, Qt::blue);
        {
            QPainter painter(&canvas);
            SlideTransition::paint(painter, SlideTransition::Checkerboard, QImage(), canvas.size(), 10);
        }
        QCOMPARE(canvas, solid(50, 50, Qt::blue));
    }

    void fullScreenWidgetRunsItsTransition_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("blackThroughout");
        QTest::newRow("black (0)") << 0 << true;
        QTest::newRow("unknown (-3) is black") << -3 << true;
        QTest::newRow("wipe down (4)") << 4 << false;
        QTest::newRow("vertical blinds (1)") << 1 << false;
    }

    void fullScreenWidgetRunsItsTransition()
    {
        QFETCH(int, effect);
        QFETCH(bool, blackThroughout);
        AnimImageView view;
        view.resize(400, 300);
        // A photo is shown at once, whatever the effect.
        view.showImage(solid(200, 150), QStringLiteral("a.jpg"), 3);
        QVERIFY(isRed(centreOf(view)));

        view.startAnim(effect);
        QTimeLine* timeLine = heldTimeLine(view);
        QVERIFY(timeLine);
        const int ih = SlideTransition::fittedToScreen(solid(200, 150)).height();
        QCOMPARE(timeLine->endFrame(), ih / 8);
        view.slot_timeOut(0);
        QVERIFY(isBlack(centreOf(view)));
        QCOMPARE(redPixels(view), 0);
        view.slot_timeOut(ih / 16);
        const int halfway = redPixels(view);
        view.slot_timeOut(ih / 8 - 1);
        const int nearlyAll = redPixels(view);
        QCOMPARE(halfway == 0, blackThroughout);
        QCOMPARE(nearlyAll == 0, blackThroughout);
        QVERIFY(halfway <= nearlyAll);
        view.slot_timeOut(ih / 8);
        QVERIFY(isRed(centreOf(view)));
        // Browsing again: zoom works.
        view.scaleLarge();
        QVERIFY(isRed(centreOf(view)));
    }

    void fullScreenWidgetTakesALargerPictureDuringItsTransition()
    {
        AnimImageView view;
        view.resize(400, 300);
        view.showImage(solid(200, 150), QStringLiteral("a.jpg"), 0);
        view.startAnim(4);
        heldTimeLine(view);
        // The same photo, larger: only the transition's picture changes.
        view.showImage(solid(400, 300, Qt::green), QStringLiteral("a.jpg"), 2);
        view.slot_timeOut(0);
        QVERIFY(isBlack(centreOf(view)));
        // Another photo ends it at once.
        view.showImage(solid(200, 150), QStringLiteral("b.jpg"), 2);
        QVERIFY(isRed(centreOf(view)));
    }

    void paneWidgetStartsATransitionForANewPhoto()
    {
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(solid(200, 150, Qt::green), QStringLiteral("a.jpg"), QRect(), PHOTO_RAW, false, 0);
        QVERIFY(!isRed(centreOf(editer)) && !isBlack(centreOf(editer)));

        editer.showImage(solid(200, 150), QStringLiteral("b.jpg"), QRect(), PHOTO_RAW, false, 5);
        QTimeLine* timeLine = heldTimeLine(editer);
        const int ih = SlideTransition::fittedToScreen(solid(200, 150)).height();
        QCOMPARE(timeLine->endFrame(), ih / 8);
        editer.slot_timeOut(1);
        QVERIFY(isBlack(centreOf(editer))); // wiped down only 8 pixels
        editer.slot_timeOut(ih / 8);
        QVERIFY(isRed(centreOf(editer)));

        // The same name again, or effect 0, shows at once.
        editer.showImage(solid(200, 150, Qt::green), QStringLiteral("b.jpg"), QRect(), PHOTO_RAW, false, 5);
        QVERIFY(!isRed(centreOf(editer)) && !isBlack(centreOf(editer)));
        editer.showImage(solid(200, 150), QStringLiteral("c.jpg"), QRect(), PHOTO_RAW, false, 0);
        QVERIFY(isRed(centreOf(editer)));
    }

    void paneWidgetTransitionOfANullPictureEndsBlank()
    {
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(QImage(), QStringLiteral("a.jpg"), QRect(), PHOTO_RAW, false, 2);
        heldTimeLine(editer);
        QVERIFY(isBlack(centreOf(editer)));
        editer.slot_timeOut(0);
        QVERIFY(isBlack(centreOf(editer)));
    }
};

QTEST_MAIN(TestSlideTransition)
#include "tst_slidetransition.moc"
