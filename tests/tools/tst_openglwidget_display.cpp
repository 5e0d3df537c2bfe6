#include "tests/support/dragdrop.h"
#include "tools/openglwidget.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <type_traits>

namespace {

const QColor Wall(0, 0, 255);
const QColor Floor(255, 255, 0);
const QColor PhotoTop(0, 255, 0);
const QColor PhotoBottom(255, 0, 0);

// A room template of two flat colours (wall above, floor below), so that pixels tell
// which way up it is drawn; no hole file unless given.
QString writeTemplate(const QTemporaryDir& dir, const QString& name, QSize size, const QByteArray& holes = {})
{
    QImage room(size, QImage::Format_RGB32);
    room.fill(Wall);
    QPainter(&room).fillRect(0, size.height() / 2, size.width(), size.height() - size.height() / 2, Floor);
    const QString path = dir.filePath(name);
    if (!room.save(path))
        return QString();
    if (!holes.isNull()) {
        QFile file(dir.filePath(name.left(name.lastIndexOf('.'))) + QStringLiteral(".txt"));
        if (!file.open(QIODevice::WriteOnly) || file.write(holes) != holes.size())
            return QString();
    }
    return path;
}

QImage photo()
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(PhotoTop);
    QPainter(&image).fillRect(0, 20, 60, 20, PhotoBottom);
    return image;
}

bool near(QRgb pixel, const QColor& colour)
{
    const QColor c(pixel);
    return qAbs(c.red() - colour.red()) < 12 && qAbs(c.green() - colour.green()) < 12
        && qAbs(c.blue() - colour.blue()) < 12;
}

} // namespace

Q_DECLARE_METATYPE(QList<QPoint>)

class TestOpenGlWidget : public QObject
{
    Q_OBJECT

    // A shown widget of the given size with the template loaded.
    std::unique_ptr<OpenGlWidget> preview(QString path, QSize size)
    {
        auto w = std::make_unique<OpenGlWidget>();
        w->setFixedSize(size);
        w->show();
        [&] {
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            QVERIFY(w->isValid());
            w->showFamilyModelImage(path);
            QTRY_VERIFY_WITH_TIMEOUT(w->hasTemplate(), 30000);
        }();
        return w;
    }

    QImage frame(OpenGlWidget* w)
    {
        w->updateGL();
        return w->grabFrameBuffer();
    }

private slots:
    void initTestCase() { qRegisterMetaType<QList<QPoint>>(); }

    // The template fills the widget keeping its aspect ratio; holes follow it.
    void geometryFollowsTheWidget_data()
    {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QPointF>("topLeft");
        QTest::addColumn<QPointF>("bottomRight");
        QTest::addColumn<QPoint>("cornerInWidget");
        QTest::addColumn<QPointF>("cornerInDevice");
        // 2000 x 1000 into 800 x 600: s = 0.4, 800 x 400 from y = 100.
        QTest::newRow("800x600") << QSize(800, 600) << QPointF(-1, 400.0 / 600) << QPointF(1, -400.0 / 600)
                                 << QPoint(200, 200) << QPointF(-0.5, 1.0 / 3);
        // Odd width: the template quad uses half the width as a whole number (400), the
        // holes the full width.
        QTest::newRow("801x600") << QSize(801, 600) << QPointF(-400.5 / 400, 400.5 / 600)
                                 << QPointF(400.5 / 400, -400.5 / 600) << QPoint(200, 199)
                                 << QPointF((200.0 / 801 - 0.5) * 2, (0.5 - 199.0 / 600) * 2);
    }

    void geometryFollowsTheWidget()
    {
        QFETCH(QSize, widget);
        QFETCH(QPointF, topLeft);
        QFETCH(QPointF, bottomRight);
        QFETCH(QPoint, cornerInWidget);
        QFETCH(QPointF, cornerInDevice);
        QTemporaryDir dir;
        const QString path
            = writeTemplate(dir, "wide.png", QSize(2000, 1000), "1\n500,250\n500,750\n1500,750\n1500,250\n");
        auto w = preview(path, widget);
        w->drawFamilyModePixmap();
        const QList<QPointF> quad = w->templateQuad();
        QCOMPARE(quad.size(), 4);
        QVERIFY(qFuzzyCompare(quad[0].x(), topLeft.x()) && qFuzzyCompare(quad[0].y(), topLeft.y()));
        QVERIFY(qFuzzyCompare(quad[2].x(), bottomRight.x()) && qFuzzyCompare(quad[2].y(), bottomRight.y()));
        QCOMPARE(w->holePolygons().size(), 1);
        QCOMPARE(w->holePolygons().first().first(), cornerInWidget);
        const QPointF device = w->holeQuads().first().first();
        QVERIFY2(qFuzzyCompare(device.x(), cornerInDevice.x()) && qFuzzyCompare(device.y(), cornerInDevice.y()),
            qPrintable(QStringLiteral("%1,%2").arg(device.x()).arg(device.y())));
    }

    // The photo appears upright inside the hole; the template stays upright around it.
    void droppedPhotoShowsInsideTheHole()
    {
        QTemporaryDir dir;
        const QString path = writeTemplate(dir, "room.png", QSize(400, 300), "1\n100,60\n100,240\n300,240\n300,60\n");
        auto w = preview(path, QSize(400, 300));
        QImage before = frame(w.get());
        QVERIFY(near(before.pixel(200, 100), Wall));
        QVERIFY(near(before.pixel(200, 200), Floor));

        QImage picture = photo();
        w->setIsDrag(true);
        w->receivePhoto(picture);
        dropAt(w.get(), QPoint(200, 150));
        QVERIFY(w->hasPhoto());
        const QImage after = frame(w.get());
        QVERIFY(near(after.pixel(200, 100), PhotoTop));
        QVERIFY(near(after.pixel(200, 200), PhotoBottom));
        QVERIFY(near(after.pixel(110, 70), PhotoTop));
        // Around the hole: the template.
        QVERIFY(near(after.pixel(50, 30), Wall));
        QVERIFY(near(after.pixel(350, 30), Wall));
        QVERIFY(near(after.pixel(50, 280), Floor));
        QVERIFY(near(after.pixel(350, 280), Floor));
    }

    // Three holes, the first two overlapping: a drop in the overlap fills the first, the
    // same photo fills the third, and the hole left empty keeps showing the template.
    void dropsFillTheHoleHit()
    {
        QTemporaryDir dir;
        const QString path = writeTemplate(dir, "three.png", QSize(400, 300),
            "3\n20,20\n20,120\n120,120\n120,20\n"
            "80,80\n80,180\n180,180\n180,80\n"
            "250,50\n250,150\n350,150\n350,50\n");
        auto w = preview(path, QSize(400, 300));
        QImage picture = photo();
        w->setIsDrag(true);
        w->receivePhoto(picture);
        dropAt(w.get(), QPoint(100, 100));
        QCOMPARE(w->currentHole(), 0);
        dropAt(w.get(), QPoint(300, 100));
        QCOMPARE(w->currentHole(), 2);
        const QImage image = frame(w.get());
        QVERIFY(near(image.pixel(40, 40), PhotoTop));
        QVERIFY(near(image.pixel(160, 140), Wall)); // only in the empty second hole
        QVERIFY(near(image.pixel(300, 60), PhotoTop));
        QVERIFY(near(image.pixel(300, 140), PhotoBottom));

        // Outside every hole: nothing changes.
        dropAt(w.get(), QPoint(220, 250));
        QCOMPARE(w->currentHole(), 2);
    }

    void dropBeforeAPhotoIsHandedOverDoesNothing()
    {
        QTemporaryDir dir;
        const QString path = writeTemplate(dir, "room.png", QSize(400, 300), "1\n100,60\n100,240\n300,240\n300,60\n");
        auto w = preview(path, QSize(400, 300));
        dropAt(w.get(), QPoint(200, 150));
        QVERIFY(!w->hasPhoto());
        QVERIFY(near(frame(w.get()).pixel(200, 100), Wall));
    }

    // The preview is made on a GL widget, and its holes are read from the hole file's path.
    void holesReadFromTheHoleFilesPath_data()
    {
        QTest::addColumn<QByteArray>("holes"); // null: no file
        QTest::addColumn<QList<QPoint>>("corners");
        QTest::newRow("two holes") << QByteArray("2\n1,2\n3,4\n5,6\n7,8\n10,20\n30,40\n50,60\n70,80\n")
                                   << QList<QPoint> {{1, 2}, {7, 8}, {10, 20}, {70, 80}};
        QTest::newRow("no hole file") << QByteArray() << QList<QPoint>();
        QTest::newRow("broken file") << QByteArray("1\n1,2\n") << QList<QPoint>();
    }

    void holesReadFromTheHoleFilesPath()
    {
        QFETCH(QByteArray, holes);
        QFETCH(QList<QPoint>, corners);
        static_assert(std::is_constructible<OpenGlWidget, QGLWidget*>::value, "made on a GL widget");
        static_assert(!std::is_constructible<OpenGlWidget, QWidget*>::value, "not on any widget");
        void (OpenGlWidget::*getShapes)(QString) = &OpenGlWidget::getShapes;
        QTemporaryDir dir;
        const QString path = dir.filePath("room.txt");
        if (!holes.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(holes) == holes.size());
        }
        QGLWidget parent;
        OpenGlWidget w(&parent);
        QCOMPARE(w.parentWidget(), &parent);
        (w.*getShapes)(path);
        QList<QPoint> read;
        for (const FAMILYPOINTS& hole : w.holes()) {
            // The first and last corner of each hole, in file order.
            read << hole.point1.toPoint() << hole.point4.toPoint();
        }
        QCOMPARE(read, corners);
        for (int i = 0; i < w.holes().size(); ++i)
            QCOMPARE(w.holes().at(i).index, i);
    }

    // A template whose hole file is missing or broken is still drawn, with no holes.
    void templateWithoutUsableHolesIsDrawn_data()
    {
        QTest::addColumn<QByteArray>("holes");
        QTest::newRow("no hole file") << QByteArray();
        QTest::newRow("zero holes") << QByteArray("0\n");
        QTest::newRow("fewer lines than announced") << QByteArray("2\n100,60\n100,240\n300,240\n300,60\n");
        QTest::newRow("negative count") << QByteArray("-3\n");
        QTest::newRow("corner without comma") << QByteArray("1\n100 60\n100,240\n300,240\n300,60\n");
    }

    void templateWithoutUsableHolesIsDrawn()
    {
        QFETCH(QByteArray, holes);
        QTemporaryDir dir;
        const QString path = writeTemplate(dir, "room.jpg.png", QSize(400, 300), holes);
        auto w = preview(path, QSize(400, 300));
        QVERIFY(w->holes().isEmpty());
        QImage picture = photo();
        w->setIsDrag(true);
        w->receivePhoto(picture);
        dropAt(w.get(), QPoint(200, 150));
        QVERIFY(!w->hasPhoto());
        const QImage image = frame(w.get());
        QVERIFY(near(image.pixel(200, 100), Wall));
        QVERIFY(near(image.pixel(200, 200), Floor));
    }

    // Loading another template forgets the photos; one that cannot be read draws nothing.
    void anotherTemplateStartsAfresh()
    {
        QTemporaryDir dir;
        const QString first = writeTemplate(dir, "a.png", QSize(400, 300), "1\n100,60\n100,240\n300,240\n300,60\n");
        const QString second = writeTemplate(dir, "b.png", QSize(400, 300), "1\n100,60\n100,240\n300,240\n300,60\n");
        auto w = preview(first, QSize(400, 300));
        QImage picture = photo();
        w->setIsDrag(true);
        w->receivePhoto(picture);
        dropAt(w.get(), QPoint(200, 150));
        QVERIFY(w->hasPhoto());
        QString path = second;
        w->showFamilyModelImage(path);
        QTRY_VERIFY_WITH_TIMEOUT(!w->hasPhoto(), 30000);
        dropAt(w.get(), QPoint(200, 150)); // the photo must be pressed again
        QVERIFY(!w->hasPhoto());
        QVERIFY(near(frame(w.get()).pixel(200, 100), Wall));

        QString missing = dir.filePath(QStringLiteral("gone.png"));
        w->showFamilyModelImage(missing);
        QTRY_VERIFY_WITH_TIMEOUT(!w->hasTemplate(), 30000);
        const QImage image = frame(w.get());
        QCOMPARE(QColor(image.pixel(200, 100)), QColor(Qt::black));
    }

    // A template wider than the GL implementation takes is scaled down, not lost.
    void templateLargerThanTheLargestTexture()
    {
        GLint maxSide = 0;
        {
            OpenGlWidget probe;
            probe.show();
            QVERIFY(QTest::qWaitForWindowExposed(&probe));
            probe.makeCurrent();
            glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
        }
        QVERIFY(maxSide > 0);
        QTemporaryDir dir;
        const QString path = writeTemplate(dir, "wide.png", QSize(maxSide + 600, 300),
            QByteArray("1\n") + QByteArray::number(maxSide / 2) + ",60\n" + QByteArray::number(maxSide / 2) + ",240\n"
                + QByteArray::number(maxSide / 2 + 300) + ",240\n" + QByteArray::number(maxSide / 2 + 300) + ",60\n");
        auto w = preview(path, QSize(800, 200));
        const QImage image = frame(w.get());
        const int y = 100 - 300 * 800 / (maxSide + 600) / 4; // in the wall half
        QVERIFY2(near(image.pixel(100, y), Wall), qPrintable(QColor(image.pixel(100, y)).name()));
    }
};

QTEST_MAIN(TestOpenGlWidget)
#include "tst_openglwidget_display.moc"
