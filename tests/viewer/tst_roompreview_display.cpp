#include "photostore/imagedata.h"
#include "standin/demotemplates.h"
#include "tests/support/dragdrop.h"
#include "tests/support/orderfolder.h"
#include "tools/openglwidget.h"
#include "viewer/photoview.h"

#include <QBuffer>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray jpeg(QColor colour)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

bool near(QRgb pixel, const QColor& colour)
{
    const QColor c(pixel);
    return qAbs(c.red() - colour.red()) < 24 && qAbs(c.green() - colour.green()) < 24
        && qAbs(c.blue() - colour.blue()) < 24;
}

} // namespace

// The viewer's room preview: a chosen template shows in place of the photo, and the photo
// pressed in the album panel (named by its full-size file) goes into the hole it is dropped on,
// made from its 1000-pixel thumbnail.
class TestRoomPreview : public QObject
{
    Q_OBJECT
private slots:
    void pressedPhotoGoesIntoTheHole_data()
    {
        QTest::addColumn<bool>("hasThumbnail");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("from the thumbnail") << true << QColor(Qt::green);
        QTest::newRow("thumbnail not made yet") << false << QColor(Qt::red);
    }

    void pressedPhotoGoesIntoTheHole()
    {
        QFETCH(bool, hasThumbnail);
        QFETCH(QColor, shown);
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhotoFile(PHOTO_FINE, QStringLiteral("p.jpg"), jpeg(Qt::red));
        if (hasThumbnail)
            order.addFile(photo.GetImagePath(), jpeg(Qt::green));
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);

        QTemporaryDir templates;
        QString room = templates.filePath(QStringLiteral("room.jpg"));
        const QPolygon hole({QPoint(600, 150), QPoint(600, 450), QPoint(1000, 450), QPoint(1000, 150)});
        QVERIFY(DemoTemplates::writeRoom(room, QSize(1600, 1000), {hole}));

        PhotoView view;
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.showFamilyPic(room);
        auto* preview = view.findChild<OpenGlWidget*>();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(preview->hasTemplate(), 30000);
        QCOMPARE(preview->holes().size(), 1);

        QString full = photo.GetBigImagePath();
        view.setImageEditerDragIndex(true, full);
        preview->drawFamilyModePixmap();
        const QPoint centre = QPolygon(preview->holePolygons().first()).boundingRect().center();
        // The photo is read on a worker: drops before it arrives change nothing.
        QTRY_VERIFY_WITH_TIMEOUT((dropAt(preview, centre), preview->hasPhoto()), 30000);
        preview->updateGL();
        const QImage frame = preview->grabFrameBuffer();
        QVERIFY2(near(frame.pixel(centre), shown), qPrintable(QColor(frame.pixel(centre)).name()));
        // Outside the hole the room's wall.
        QVERIFY(near(frame.pixel(5, centre.y()), QColor(0xe8, 0xdc, 0xc4)));
        ImageData::getInstance()->clearImages();
    }
};

QTEST_MAIN(TestRoomPreview)
#include "tst_roompreview_display.moc"
