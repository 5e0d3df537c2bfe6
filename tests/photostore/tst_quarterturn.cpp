#include "photostore/croprect.h"
#include "photostore/quarterturn.h"

#include <QPainter>
#include <QtTest>

#include <functional>
#include <limits>

namespace {

// A 300 x 200 picture painted at (100, 150) of a label, and the turned one painted in its place at
// the same scale or half as large again.
const QRect Painted(100, 150, 300, 200);
const QRect TurnedSameScale(150, 100, 200, 300);
const QRect TurnedLarger(100, 25, 300, 450);

// Frames over Painted, each with its part on the picture; one with none with where it lies once
// the picture is turned at the same scale: where it was, or clear of the turned picture when that
// is painted under it.
void addFrames(const std::function<void(const char*, const QRect&, const QRect&, const QRect&)>& row)
{
    row("inside", QRect(130, 180, 60, 40), QRect(130, 180, 60, 40), QRect());
    row("partly left", QRect(60, 200, 80, 40), QRect(100, 200, 40, 40), QRect());
    row("partly right", QRect(360, 200, 80, 40), QRect(360, 200, 40, 40), QRect());
    row("partly above", QRect(200, 120, 50, 60), QRect(200, 150, 50, 30), QRect());
    row("partly below", QRect(200, 320, 50, 60), QRect(200, 320, 50, 30), QRect());
    row("over the whole picture", QRect(50, 100, 400, 300), Painted, QRect());
    row("a corner pixel on it", QRect(399, 349, 5, 5), QRect(399, 349, 1, 1), QRect());
    row("wholly outside", QRect(450, 200, 50, 50), QRect(), QRect(450, 200, 50, 50));
    row("touching the right edge", QRect(400, 150, 20, 20), QRect(), QRect(400, 150, 20, 20));
    row("below, where the turned one lies", QRect(100, 350, 300, 10), QRect(), QRect(100, 400, 300, 10));
    row("above, where the turned one lies", QRect(200, 110, 40, 30), QRect(), QRect(200, 70, 40, 30));
    row("empty", QRect(200, 200, 0, 10), QRect(), QRect(200, 200, 0, 10));
}

// Where white pixels lie.
QRect whiteArea(const QImage& picture)
{
    QRect area;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) == Qt::white)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

// Rectangles drawn on a photo follow it through quarter turns; crops as the back end may send
// them (at the ends of the int range) turn without overflow. A frame over a painted picture keeps
// its part on the picture on the same content and comes back after four turns; one with nothing on
// the picture stays where it is.
class TestQuarterTurn : public QObject
{
    Q_OBJECT
private slots:
    void turnsAsThePictureTurns_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<QRect>("expected");
        // A 10 x 4 rectangle at (1, 2) in a picture of 30 x 20.
        QTest::newRow("clockwise") << 1 << QRect(14, 1, 4, 10);
        QTest::newRow("half") << 2 << QRect(19, 14, 10, 4);
        QTest::newRow("anticlockwise") << -1 << QRect(2, 19, 4, 10);
        QTest::newRow("three clockwise") << 3 << QRect(2, 19, 4, 10);
        QTest::newRow("full") << 4 << QRect(1, 2, 10, 4);
    }

    void turnsAsThePictureTurns()
    {
        QFETCH(int, turns);
        QFETCH(QRect, expected);
        QCOMPARE(QuarterTurn::turnedRect(QRect(1, 2, 10, 4), QSize(30, 20), turns), expected);
        // Pixel by pixel: the picture turned by QTransform has the rectangle's pixels there.
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::black);
        picture.setPixelColor(1, 2, Qt::white); // the rectangle's top-left pixel
        const QImage turned = picture.transformed(QTransform().rotate(turns * 90));
        const QRect at = QuarterTurn::turnedRect(QRect(1, 2, 1, 1), QSize(30, 20), turns);
        QCOMPARE(turned.pixelColor(at.topLeft()), QColor(Qt::white));
    }

    void framesKeepTheContentTheyCover_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("onPicture");
        QTest::addColumn<QRect>("kept");
        QTest::addColumn<int>("turns");
        addFrames([](const char* name, const QRect& frame, const QRect& onPicture, const QRect& kept) {
            QTest::addRow("%s, clockwise", name) << frame << onPicture << kept << 1;
            QTest::addRow("%s, anticlockwise", name) << frame << onPicture << kept << -1;
            // The turned picture lies where the picture was.
            QTest::addRow("%s, half", name) << frame << onPicture << frame << 2;
        });
    }

    void framesKeepTheContentTheyCover()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, onPicture);
        QFETCH(QRect, kept);
        QFETCH(int, turns);
        const QRect after = turns == 2 ? Painted : TurnedSameScale;
        const QRect turned = QuarterTurn::turnedFrame(frame, Painted, after, turns);
        if (onPicture.isEmpty()) {
            QCOMPARE(turned, kept);
            return;
        }
        // Pixel by pixel: in the picture turned by QTransform, the part on the picture lies there.
        QImage picture(Painted.size(), QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter(&picture).fillRect(onPicture.translated(-Painted.topLeft()), Qt::white);
        QCOMPARE(turned, whiteArea(picture.transformed(QTransform().rotate(turns * 90))).translated(after.topLeft()));
    }

    // Four quarter turns bring a frame's part on the picture back; a frame with none rests where the
    // first turn left it, clear of both pictures.
    void fourQuarterTurnsComeBack_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("onPicture");
        QTest::addColumn<int>("turns");
        QTest::addColumn<QRect>("turnedPicture");
        addFrames([](const char* name, const QRect& frame, const QRect& onPicture, const QRect&) {
            for (int turns : {1, -1})
                for (const QRect& turnedPicture : {TurnedSameScale, TurnedLarger})
                    QTest::addRow("%s, %s, %s", name, turns == 1 ? "clockwise" : "anticlockwise",
                        turnedPicture == TurnedLarger ? "turned larger" : "same scale")
                        << frame << onPicture << turns << turnedPicture;
        });
    }

    void fourQuarterTurnsComeBack()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, onPicture);
        QFETCH(int, turns);
        QFETCH(QRect, turnedPicture);
        QList<QRect> at {frame};
        for (int i = 0; i < 4; ++i) {
            const bool isTurned = i % 2;
            const QRect after = isTurned ? Painted : turnedPicture;
            at << QuarterTurn::turnedFrame(at.last(), isTurned ? turnedPicture : Painted, after, turns);
            const QString seen = QStringLiteral("turn %1: %2,%3 %4x%5")
                                     .arg(i + 1)
                                     .arg(at.last().x())
                                     .arg(at.last().y())
                                     .arg(at.last().width())
                                     .arg(at.last().height());
            if (!onPicture.isEmpty())
                QVERIFY2(after.contains(at.last()), qPrintable(seen));
            else
                QVERIFY2((at.last() & Painted).isEmpty() && (at.last() & turnedPicture).isEmpty(), qPrintable(seen));
        }
        QCOMPARE(at.last(), onPicture.isEmpty() ? at.at(1) : onPicture);
    }

    void hostileCropsTurnWithoutOverflow_data()
    {
        QTest::addColumn<QRect>("crop");
        const int most = std::numeric_limits<int>::max();
        const int least = std::numeric_limits<int>::min();
        QTest::newRow("right edge at the int end") << CropRect::make(most - 10, 0, 11, 5);
        QTest::newRow("left edge at the int start") << CropRect::make(least, least, 1000, 1000);
        QTest::newRow("whole int range wide") << CropRect::make(-1, 0, most, 10);
        QTest::newRow("empty") << QRect();
    }

    void hostileCropsTurnWithoutOverflow()
    {
        QFETCH(QRect, crop);
        for (int turns = -1; turns <= 3; ++turns) {
            const QRect turned = QuarterTurn::turnedThousandRect(crop, QSize(6000, 4000), turns);
            QVERIFY(CropRect::fits(turned.x(), turned.y(), CropRect::width(turned), CropRect::height(turned)));
            QuarterTurn::turnedFrame(crop, QRect(0, 0, 900, 600), QRect(150, 0, 600, 900), turns);
        }
        QCOMPARE(QuarterTurn::turnedThousandRect(crop, QSize(), 1), crop);
    }
};

QTEST_MAIN(TestQuarterTurn)
#include "tst_quarterturn.moc"
