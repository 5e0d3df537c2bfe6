#include "photostore/croprect.h"
#include "photostore/quarterturn.h"

#include <QtTest>

#include <limits>

// Rectangles drawn on a photo follow it through quarter turns; crops as the back end may send
// them (at the ends of the int range) turn without overflow.
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
