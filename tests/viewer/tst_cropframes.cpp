#include "tests/support/widgetmouse.h"
#include "viewer/imageediter.h"

#include <QtTest>

namespace {

QImage white(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The frame in widget coordinates.
QRect frameOf(ImageEditer& editer)
{
    return editer.getClipRectToScaledImage().translated(editer.getImageRect().topLeft());
}

QString text(const QRect& r)
{
    return QStringLiteral("(%1, %2, %3 x %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool closeTo(const QRect& a, const QRect& b)
{
    return qAbs(a.x() - b.x()) <= 1 && qAbs(a.y() - b.y()) <= 1 && qAbs(a.width() - b.width()) <= 1
        && qAbs(a.height() - b.height()) <= 1;
}

int brightness(ImageEditer& editer, QPoint at)
{
    return editer.grab().toImage().pixelColor(at).lightness();
}

} // namespace

class TestCropFrames : public QObject
{
    Q_OBJECT
private slots:
    void startsAsTheLargestCentredFrame_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QSize>("crop");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("same ratio: the whole fitted photo")
            << QSize(800, 600) << QSize(400, 300) << QSize(4, 3) << QRect(0, 0, 400, 300);
        QTest::newRow("square on landscape: full height")
            << QSize(800, 600) << QSize(400, 300) << QSize(1, 1) << QRect(50, 0, 300, 300);
        QTest::newRow("wider: full width, centred vertically")
            << QSize(800, 600) << QSize(400, 300) << QSize(2, 1) << QRect(0, 50, 400, 200);
        QTest::newRow("portrait photo, square crop")
            << QSize(400, 600) << QSize(400, 300) << QSize(1, 1) << QRect(100, 50, 200, 200);
    }

    void startsAsTheLargestCentredFrame()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, widget);
        QFETCH(QSize, crop);
        QFETCH(QRect, frame);
        ImageEditer editer;
        editer.resize(widget);
        editer.showImage(white(photo.width(), photo.height()), QRect(), PHOTO_FINE, false);
        editer.scaleLarge();
        editer.rotateClockWise(); // a frame shows the photo unturned and unzoomed
        editer.startClip(crop.width(), crop.height());
        QCOMPARE(frameOf(editer), frame);
        QVERIFY(!editer.isEllipse());
        editer.startCircleClip(crop.width(), crop.height());
        QCOMPARE(frameOf(editer), frame);
        QVERIFY(editer.isEllipse());
        editer.showImage(white(photo.width(), photo.height()), QRect(), PHOTO_FINE, false);
        QVERIFY(!editer.isEllipse());
    }

    void hitCodesAndCursors_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("cursor");
        // The frame is (50, 0) to (349, 299).
        QTest::newRow("top-left corner") << QPoint(50, 0) << 2 << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-left zone, 9 off") << QPoint(59, 9) << 2 << int(Qt::SizeFDiagCursor);
        QTest::newRow("10 off is inside") << QPoint(60, 9) << 1 << int(Qt::SizeAllCursor);
        QTest::newRow("top-right corner") << QPoint(349, 0) << 3 << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left corner") << QPoint(41, 299) << 4 << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-right corner") << QPoint(358, 290) << 5 << int(Qt::SizeFDiagCursor);
        QTest::newRow("inside") << QPoint(200, 150) << 1 << int(Qt::SizeAllCursor);
        QTest::newRow("on the left edge") << QPoint(50, 150) << 0 << int(Qt::ArrowCursor);
        QTest::newRow("outside") << QPoint(10, 150) << 0 << int(Qt::ArrowCursor);
    }

    void hitCodesAndCursors()
    {
        QFETCH(QPoint, at);
        QFETCH(int, code);
        QFETCH(int, cursor);
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(white(800, 600), QRect(), PHOTO_FINE, false);
        QCOMPARE(editer.getMousePositionInClipRect(at.x(), at.y()), 0); // no frame yet
        editer.startClip(1, 1);
        QCOMPARE(editer.getMousePositionInClipRect(at.x(), at.y()), code);
        QCOMPARE(int(editer.cursor().shape()), cursor);
        // Hovering shows the cursor and leaves the frame as it is.
        editer.getMousePositionInClipRect(0, 0);
        WidgetMouse::move(&editer, at, false);
        QCOMPARE(int(editer.cursor().shape()), cursor);
        QCOMPARE(frameOf(editer), QRect(50, 0, 300, 300));
    }

    void dragsMoveAndResizeWithTheRatioKept_data()
    {
        QTest::addColumn<QList<QPoint>>("path"); // press, moves, release
        QTest::addColumn<QRect>("frame");
        // A 2:1 frame (0, 50) to (399, 249) on a photo filling the 400 x 300 widget.
        QTest::newRow("bottom-right in: the mouse's tighter side wins")
            << QList<QPoint> {{399, 249}, {299, 249}} << QRect(0, 50, 298, 149);
        QTest::newRow("top-left in, bottom-right stays")
            << QList<QPoint> {{0, 50}, {100, 60}} << QRect(102, 101, 298, 149);
        QTest::newRow("top-right in, bottom-left stays")
            << QList<QPoint> {{399, 50}, {199, 100}} << QRect(0, 151, 198, 99);
        QTest::newRow("bottom-left in, top-right stays")
            << QList<QPoint> {{0, 249}, {200, 249}} << QRect(202, 50, 198, 99);
        QTest::newRow("past the fixed corner: empty at it")
            << QList<QPoint> {{399, 249}, {-5, 10}} << QRect(0, 50, 0, 0);
        QTest::newRow("and back: grows again from it")
            << QList<QPoint> {{399, 249}, {-5, 10}, {199, 149}} << QRect(0, 50, 198, 99);
    }

    void dragsMoveAndResizeWithTheRatioKept()
    {
        QFETCH(QList<QPoint>, path);
        QFETCH(QRect, frame);
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(white(400, 300), QRect(), PHOTO_FINE, false);
        editer.startClip(2, 1);
        QCOMPARE(frameOf(editer), QRect(0, 50, 400, 200));
        WidgetMouse::press(&editer, path.first());
        for (int i = 1; i < path.size(); ++i)
            WidgetMouse::move(&editer, path.at(i), true);
        WidgetMouse::release(&editer, path.last());
        QCOMPARE(frameOf(editer), frame);
        QVERIFY(frame.isEmpty() || qAbs(frame.height() - frame.width() / 2) <= 1);
    }

    void movesStopAtThePhotoEdges_data()
    {
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QRect>("frame");
        // A 99 x 99 frame at (50, 0) inside the painted photo (0, 0) to (399, 299).
        QTest::newRow("right: its right edge one pixel inside") << QPoint(500, 0) << QRect(300, 0, 99, 99);
        QTest::newRow("down") << QPoint(0, 500) << QRect(50, 200, 99, 99);
        QTest::newRow("up and left") << QPoint(-500, -500) << QRect(0, 0, 99, 99);
        QTest::newRow("a little") << QPoint(20, 30) << QRect(70, 30, 99, 99);
    }

    void movesStopAtThePhotoEdges()
    {
        QFETCH(QPoint, by);
        QFETCH(QRect, frame);
        ImageEditer editer;
        editer.resize(400, 300);
        editer.showImage(white(400, 300), QRect(), PHOTO_FINE, false);
        editer.startClip(1, 1);
        // Shrink the 300 x 300 frame at (50, 0) by its bottom-right corner.
        WidgetMouse::drag(&editer, QPoint(349, 299), QPoint(149, 99));
        QCOMPARE(frameOf(editer), QRect(50, 0, 99, 99));
        WidgetMouse::drag(&editer, QPoint(100, 50), QPoint(100, 50) + by);
        QCOMPARE(frameOf(editer), frame);
    }

    void convertsToTheThousandSpace_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("crop");
        QTest::addColumn<QRect>("pixels");   // in the photo
        QTest::addColumn<QRect>("thousand"); // as the photo record keeps it
        // Widget 600 x 500. Landscape 6000 x 4000 is painted 600 x 400, portrait 4000 x 6000
        // 333 x 500; 0..1000 spans the longer side.
        QTest::newRow("landscape, same ratio")
            << QSize(6000, 4000) << QSize(3, 2) << QRect(0, 0, 6000, 4000) << QRect(0, 0, 1000, 666);
        QTest::newRow("landscape, square")
            << QSize(6000, 4000) << QSize(1, 1) << QRect(1000, 0, 4000, 4000) << QRect(166, 0, 666, 666);
        QTest::newRow("portrait, square")
            << QSize(4000, 6000) << QSize(1, 1) << QRect(12, 1008, 4000, 3996) << QRect(1, 168, 666, 666);
        QTest::newRow("portrait, 2:3, truncated thrice")
            << QSize(4000, 6000) << QSize(2, 3) << QRect(12, 12, 4000, 5988) << QRect(1, 2, 666, 998);
    }

    void convertsToTheThousandSpace()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, crop);
        QFETCH(QRect, pixels);
        QFETCH(QRect, thousand);
        ImageEditer editer;
        editer.resize(600, 500);
        editer.showImage(white(photo.width(), photo.height()), QRect(), PHOTO_FINE, false);
        editer.startClip(crop.width(), crop.height());
        QVERIFY2(closeTo(editer.getClipRectToOriginalImage(), pixels),
            qPrintable(text(editer.getClipRectToOriginalImage())));
        QVERIFY2(closeTo(editer.getClipRectToThousand(), thousand), qPrintable(text(editer.getClipRectToThousand())));
    }

    // A stored crop comes back as the darkening of the same part of the photo.
    void storedCropDarkensOutside_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<bool>("ellipse");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<bool>("dark");
        // The middle half of a 3000 x 2000 photo: 0..1000 (250, 0, 500, 666), painted
        // (150, 50) to (449, 449) in a 600 x 500 widget.
        QTest::newRow("inside") << int(PHOTO_FINE) << false << QPoint(300, 250) << false;
        QTest::newRow("outside") << int(PHOTO_FINE) << false << QPoint(60, 250) << true;
        QTest::newRow("rectangle corner") << int(PHOTO_FINE) << false << QPoint(160, 60) << false;
        QTest::newRow("ellipse: same corner is outside") << int(PHOTO_FINE) << true << QPoint(160, 60) << true;
        QTest::newRow("ellipse: centre") << int(PHOTO_FINE) << true << QPoint(300, 250) << false;
        QTest::newRow("raw album never darkened") << int(PHOTO_RAW) << false << QPoint(60, 250) << false;
    }

    void storedCropDarkensOutside()
    {
        QFETCH(int, album);
        QFETCH(bool, ellipse);
        QFETCH(QPoint, probe);
        QFETCH(bool, dark);
        ImageEditer editer;
        editer.resize(600, 500);
        editer.showImage(white(3000, 2000), QRect(250, 0, 500, 666), PHOTOTYPE(album), ellipse);
        QCOMPARE(brightness(editer, probe) < 128, dark);
    }

    void framesWithoutARatioStayEmpty_data()
    {
        QTest::addColumn<QSize>("photo"); // empty: no picture
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QSize>("crop");
        QTest::newRow("the chooser's cancel, 0 x 0") << QSize(800, 600) << QSize(400, 300) << QSize(0, 0);
        QTest::newRow("a zero width") << QSize(800, 600) << QSize(400, 300) << QSize(0, 5);
        QTest::newRow("a zero height") << QSize(800, 600) << QSize(400, 300) << QSize(5, 0);
        QTest::newRow("no picture") << QSize() << QSize(400, 300) << QSize(3, 2);
        QTest::newRow("a widget of no size") << QSize(800, 600) << QSize(0, 0) << QSize(3, 2);
    }

    void framesWithoutARatioStayEmpty()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, widget);
        QFETCH(QSize, crop);
        ImageEditer editer;
        editer.resize(widget);
        editer.showImage(photo.isEmpty() ? QImage() : white(photo.width(), photo.height()), QRect(), PHOTO_FINE, false);
        editer.startCircleClip(crop.width(), crop.height());
        QCOMPARE(frameOf(editer), QRect(widget.width() / 2, widget.height() / 2, 0, 0));
        // No drag can grow it.
        const QPoint corner(widget.width() / 2, widget.height() / 2);
        WidgetMouse::drag(&editer, corner, corner + QPoint(100, 80));
        WidgetMouse::drag(&editer, corner - QPoint(1, 1), corner - QPoint(100, 80));
        QVERIFY(frameOf(editer).isEmpty());
        QVERIFY(editer.getClipRectToThousand().isEmpty());
        QCOMPARE(editer.getClipRectToThousand().size(), QSize(0, 0));
    }

    void emptySourceMapsToEmpty()
    {
        QCOMPARE(ImageEditer::scaleRect(QImage(), QRect(10, 10, 50, 50), white(100, 100)), QRect());
        QCOMPARE(
            ImageEditer::scaleRect(white(100, 100), QRect(10, 20, 50, 40), white(200, 50)), QRect(20, 10, 100, 20));
    }
};

QTEST_MAIN(TestCropFrames)
#include "tst_cropframes.moc"
