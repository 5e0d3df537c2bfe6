#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "photostore/picturecache.h"
#include "tests/support/eventwait.h"
#include "tests/support/orderfolder.h"
#include "tests/support/poolblocker.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "viewer/animimageview.h"
#include "viewer/fullscreenview.h"
#include "viewer/movicedialog.h"
#include "viewer/pictureloader.h"
#include "viewer/tipdialog.h"
#include "workspace/albumthumbnails.h"

#include <QLabel>
#include <QMediaPlayer>
#include <QPointer>
#include <QSignalSpy>
#include <QThreadPool>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const int Keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F11, Qt::Key_F12,
    Qt::Key_Delete, Qt::Key_Return, Qt::Key_F7, Qt::Key_F7, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};

void resetShortcuts()
{
    for (int i = 0; i < 16; ++i) {
        Config::shotCutKey[2 * i] = 0;
        Config::shotCutKey[2 * i + 1] = Keys[i];
    }
}

// Each photo a colour of its own, so the picture on screen tells which photo it is.
QColor colourOf(int album, int index)
{
    return QColor::fromHsv((index * 47 + album * 150) % 360, 255, 255);
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

// The widths of a photo's pictures, so that the one on screen tells its level.
const int SmallWidth = 40;
const int MiddleWidth = 60;
const int FullWidth = 80;

QStringList names(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("IMG_%1.jpg").arg(i + 1);
    return list;
}

} // namespace

class TestFullScreenView : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestBackend> m_backend;
    std::unique_ptr<OrderFolder> m_order;
    std::unique_ptr<PromptRecorder> m_prompts;
    QPointer<FullScreenView> m_view;

    // The photos of an album, each with its full file and both smaller pictures (at 4:3, of
    // the widths above; the full file scale times as wide).
    void addAlbum(PHOTOTYPE album, int count, int scale = 1)
    {
        for (int i = 0; i < count; ++i) {
            Image photo;
            photo.SetPhotoType(album);
            photo.Setpath(names(count).at(i));
            const QList<QPair<QString, int>> levels {{photo.GetBigImagePath(), FullWidth * scale},
                {photo.GetImagePath(), SmallWidth}, {photo.GetMiddleImagePath(), MiddleWidth}};
            for (const auto& level : levels) {
                QImage picture(level.second, level.second * 3 / 4, QImage::Format_RGB32);
                picture.fill(colourOf(album, i));
                QDir().mkpath(QFileInfo(level.first).path());
                QVERIFY2(picture.save(level.first, "JPG", 95), qPrintable(level.first));
            }
        }
        ImageData::getInstance()->importImage(album);
    }

    // The album shown, its photo at index current, and a view on it.
    void open(PHOTOTYPE album, int count, int current, int scale = 1)
    {
        addAlbum(album, count, scale);
        ImageData::getInstance()->setType(album, SELE_ALL);
        ImageData::getInstance()->setIterator(current, SELE_ALL);
        m_view = new FullScreenView(nullptr);
        m_view->setAttribute(Qt::WA_DeleteOnClose);
        m_view->resize(800, 600);
        m_view->show();
    }

    AnimImageView* picture() const { return m_view->findChild<AnimImageView*>(QStringLiteral("m_imagelabel")); }
    QLabel* label(const char* name) const { return m_view->findChild<QLabel*>(QLatin1String(name)); }
    QTimer* slideShow() const { return m_view->findChild<QTimer*>(QStringLiteral("slideShowTimer")); }
    QColor shownColour() const
    {
        const QImage shot = picture()->grab().toImage();
        return shot.pixelColor(shot.width() / 2, shot.height() / 2);
    }
    bool shows(PHOTOTYPE album, int index) const
    {
        return waitUntil([&] { return near(shownColour(), colourOf(album, index)); });
    }
    QString current() const { return ImageData::getInstance()->getCurrentImage().GetImageName(); }
    // The picture the display mode ends on is shown.
    bool showsFinal(int mode) const
    {
        return mode == 4 ? picture()->image().width() == MiddleWidth : m_view->isFullSizeLoaded();
    }
    static QString finalPath(const Image& photo, int mode)
    {
        return mode == 4 ? photo.GetMiddleImagePath() : photo.GetBigImagePath();
    }
    Image photoAt(int index) const { return ImageData::getInstance()->getImagelist(SELE_ALL).at(index); }
    // Every picture the view wants is read and kept.
    bool isSettled() const
    {
        for (const QString& path : m_view->pictureLoader()->wanted())
            if (!PictureCache::shared().contains(path))
                return false;
        return true;
    }
    // What the view waits for, for a failure's message.
    QString state() const
    {
        QStringList lines {QStringLiteral("final shown: %1").arg(m_view->isFullSizeLoaded())};
        for (const QString& path : m_view->pictureLoader()->wanted())
            lines << QStringLiteral("%1 kept %2 stage %3")
                         .arg(path)
                         .arg(PictureCache::shared().contains(path))
                         .arg(int(m_view->pictureLoader()->stage(path)));
        return lines.join('\n');
    }
    void wheel(int delta)
    {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture(), &event);
    }
    static void addModes()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("thumbnail, then full size") << 0;
        QTest::newRow("full size only") << 1;
        QTest::newRow("thumbnail, then middle") << 4;
    }
    bool noticeShown() { return !label("lastOneLabel")->isHidden(); }
    void release(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyRelease(m_view.data(), Qt::Key(key), modifiers);
    }
    // Ends the popup of a deletion as its own timer would.
    void endPopup()
    {
        QList<QDialog*> popups;
        for (MoviceDialog* popup : topLevelWindows<MoviceDialog>())
            popups << popup;
        for (TipDialog* popup : m_view->findChildren<TipDialog*>())
            popups << popup;
        QCOMPARE(popups.size(), 1);
        QMetaObject::invokeMethod(popups.first(), "onTimer");
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<PictureCache::Picture>();
        m_backend = std::make_unique<TestBackend>();
    }

    void init()
    {
        m_backend->reset();
        m_prompts = std::make_unique<PromptRecorder>();
        m_order = std::make_unique<OrderFolder>(OrderFolder::ThumbnailFolders);
        resetShortcuts();
        Config::show_mode = 0;
        Config::fullscreenshow_repeat = false;
        Config::isLocked = false;
        Config::delete_style = QString();
        Config::is_del_design_photo = false;
        Config::is_del_design_prompt = false;
        Config::play_speed = 2500;
        PictureCache::shared().forgetAll();
    }

    void cleanup()
    {
        delete m_view.data();
        for (MoviceDialog* popup : topLevelWindows<MoviceDialog>())
            delete popup;
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        ImageData::getInstance()->clearImages();
        m_order.reset();
        m_prompts.reset();
    }

    void opensOnTheCurrentPhoto()
    {
        open(PHOTO_FINE, 3, 1);
        QVERIFY(FullScreenView::isValid);
        QCOMPARE(m_view->windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));
        QVERIFY(shows(PHOTO_FINE, 1));
        QCOMPARE(label("lastOneLabel")->text(), QStringLiteral("已经是最后一张了"));
        // The music player is made only when music is asked for.
        QVERIFY(m_view->findChildren<QMediaPlayer*>().isEmpty());
    }

    void keysStepOnRelease_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("notice");
        QTest::newRow("right in the middle") << int(Qt::Key_Right) << 0 << 1 << false << 2 << false;
        QTest::newRow("right on the last") << int(Qt::Key_Right) << 0 << 3 << false << 3 << true;
        QTest::newRow("right on the last, repeating") << int(Qt::Key_Right) << 0 << 3 << true << 0 << true;
        QTest::newRow("left on the first wraps") << int(Qt::Key_Left) << 0 << 0 << false << 3 << false;
        QTest::newRow("up goes to the first") << int(Qt::Key_Up) << 0 << 2 << false << 0 << false;
        QTest::newRow("down goes to the last") << int(Qt::Key_Down) << 0 << 1 << false << 3 << false;
        QTest::newRow("down on the last") << int(Qt::Key_Down) << 0 << 3 << false << 3 << true;
        QTest::newRow("shift+right: a pair without modifier")
            << int(Qt::Key_Right) << int(Qt::ShiftModifier) << 1 << false << 2 << false;
        QTest::newRow("another key") << int(Qt::Key_A) << 0 << 1 << false << 1 << false;
    }

    void keysStepOnRelease()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, start);
        QFETCH(bool, repeat);
        QFETCH(int, expected);
        QFETCH(bool, notice);
        Config::fullscreenshow_repeat = repeat;
        open(PHOTO_FINE, 4, start);
        QTest::keyPress(m_view.data(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), start); // nothing on press
        release(key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), expected);
        QCOMPARE(noticeShown(), notice);
        QVERIFY(shows(PHOTO_FINE, expected));
    }

    void shortcutWithModifierNeedsIt()
    {
        Config::shotCutKey[30] = int(Qt::ControlModifier);
        Config::shotCutKey[31] = Qt::Key_N;
        open(PHOTO_FINE, 3, 0);
        release(Qt::Key_N);
        release(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        release(Qt::Key_Right);
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 0);
        release(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 1);
    }

    void shiftHoldsTheCounters()
    {
        open(PHOTO_FINE, 3, 1);
        m_order->addPhotos(QStringLiteral("汰片"), {QStringLiteral("old.jpg")});
        QLabel* counter = label("counterLabel");
        QTest::keyPress(m_view.data(), Qt::Key_Shift);
        QVERIFY(!counter->isHidden());
        QCOMPARE(counter->text(), QStringLiteral("2/3/1"));
        release(Qt::Key_Shift);
        QVERIFY(counter->isHidden());

        // The mouse near the bottom edge shows the same counts there.
        QLabel* number = label("imageNumLabel");
        m_view->receiveMouseMove(10, m_view->height() - 20);
        QVERIFY(!number->isHidden());
        QCOMPARE(number->text(), QStringLiteral("2/3/1"));
        QCOMPARE(number->geometry(), QRect(400, 550, 120, 30));
        m_view->receiveMouseMove(10, 100);
        QVERIFY(number->isHidden());
    }

    void wheelLoadsTheFullPictureThenZooms()
    {
        Config::show_mode = 4; // small, then middle: no full-size picture yet
        open(PHOTO_FINE, 2, 0);
        QVERIFY(shows(PHOTO_FINE, 0));
        QLabel* zoom = label("scaleLabel");
        wheel(120);
        QVERIFY(zoom->isHidden()); // the full-size picture is asked for instead
        QVERIFY(waitUntil([&] {
            if (zoom->isHidden())
                wheel(120);
            return !zoom->isHidden();
        }));
        QCOMPARE(zoom->text(), QStringLiteral("125%"));
        QStringList seen;
        for (int i = 0; i < 7; ++i) {
            wheel(120);
            seen << zoom->text();
        }
        QCOMPARE(seen, QStringList({"156%", "195%", "244%", "305%", "381%", "476%", "476%"}));
        wheel(-120);
        QCOMPARE(zoom->text(), QStringLiteral("381%"));
        QCOMPARE(zoom->geometry(), QRect(80, 60, 80, 30));
        m_view->timerDone();
        QVERIFY(zoom->isHidden());

        // A step to another photo starts at 100% and needs its full picture again.
        release(Qt::Key_Right);
        wheel(120);
        QVERIFY(zoom->isHidden());
    }

    // A photo decoded only as large as the screen: zooming in reads the whole photo and zooms
    // once it is shown; with the middle picture shown the first turn only brings it.
    void zoomReadsTheWholePhotoFirst_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("zoomsWhenThere");
        QTest::newRow("thumbnail, then full size") << 0 << true;
        QTest::newRow("full size only") << 1 << true;
        QTest::newRow("thumbnail, then middle") << 4 << false;
    }

    void zoomReadsTheWholePhotoFirst()
    {
        QFETCH(int, mode);
        QFETCH(bool, zoomsWhenThere);
        Config::show_mode = mode;
        const int scale = 30;
        const int whole = FullWidth * scale;
        open(PHOTO_FINE, 2, 0, scale);
        QVERIFY(waitUntil([&] { return showsFinal(mode) && isSettled(); }));
        if (mode != 4)
            QVERIFY2(picture()->image().width() < whole, "decoded as large as the screen needs");
        QLabel* zoom = label("scaleLabel");
        wheel(120);
        QVERIFY(zoom->isHidden()); // the whole photo is read first
        QVERIFY(waitUntil([&] { return picture()->image().width() == whole; }));
        QVERIFY(m_view->isFullSizeLoaded());
        if (!zoomsWhenThere) {
            QVERIFY(zoom->isHidden());
            wheel(120);
        }
        QVERIFY(waitUntil([&] { return !zoom->isHidden(); }));
        QCOMPARE(zoom->text(), QStringLiteral("125%"));
        // The picture fitted to the screen, read again meanwhile, does not undo the zoom.
        QVERIFY(waitUntil([&] { return isSettled(); }));
        QTest::qWait(100);
        QCOMPARE(picture()->image().width(), whole);
        wheel(120);
        QCOMPARE(zoom->text(), QStringLiteral("156%"));
        // The whole photo is the view's while it zooms; the cache keeps fitted ones.
        PictureCache::Picture kept;
        if (PictureCache::shared().find(photoAt(0).GetBigImagePath(), &kept))
            QVERIFY(kept.image.width() != whole);
        // A step away and back shows the photo fitted again.
        release(Qt::Key_Right);
        release(Qt::Key_Left);
        QVERIFY(waitUntil([&] { return showsFinal(mode) && current() == QLatin1String("IMG_1.jpg"); }));
        QVERIFY(picture()->image().width() < whole);
    }

    // Each step shows the current photo's final picture, told by its whole path: the photos of
    // 照片 have the same names, and a late picture of another photo is never shown.
    void stepsShowTheCurrentPhotosPicture_data() { addModes(); }

    void stepsShowTheCurrentPhotosPicture()
    {
        QFETCH(int, mode);
        Config::show_mode = mode;
        addAlbum(PHOTO_RAW, 3);
        open(PHOTO_FINE, 3, 0);
        QVERIFY(waitUntil([&] { return showsFinal(mode); }));
        QVERIFY(shows(PHOTO_FINE, 0));
        QImage white(FullWidth, FullWidth * 3 / 4, QImage::Format_RGB32);
        white.fill(Qt::white);
        PictureCache::Picture late;
        late.image = white;
        for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}) {
            const int before = ImageData::getInstance()->getCurrentIndex();
            release(key);
            const int index = ImageData::getInstance()->getCurrentIndex();
            QVERIFY(waitUntil([&] { return showsFinal(mode); }));
            QVERIFY(shows(PHOTO_FINE, index));
            Image raw;
            raw.SetPhotoType(PHOTO_RAW);
            raw.Setpath(current());
            // 照片's pictures of the current name, and the photo left behind.
            for (const QString& path :
                {raw.GetBigImagePath(), raw.GetMiddleImagePath(), raw.GetImagePath(), finalPath(photoAt(before), mode)})
                emit m_view->pictureLoader()->loaded(path, late);
            QVERIFY(near(shownColour(), colourOf(PHOTO_FINE, index)));
        }
    }

    // Steps faster than the reads: only the photo stepped to last is shown in the end.
    void quickStepsShowOnlyTheLastPhoto_data() { addModes(); }

    void quickStepsShowOnlyTheLastPhoto()
    {
        QFETCH(int, mode);
        Config::show_mode = mode;
        open(PHOTO_FINE, 6, 0);
        QVERIFY(waitUntil([&] { return showsFinal(mode) && isSettled(); }));
        PictureCache::shared().forgetAll(); // nothing read ahead: every step reads
        for (int step = 0; step < 4; ++step)
            release(Qt::Key_Right);
        QVERIFY2(waitUntil([&] { return showsFinal(mode) && isSettled(); }), qPrintable(state()));
        QTest::qWait(100);
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 4);
        QVERIFY(showsFinal(mode));
        QVERIFY(near(shownColour(), colourOf(PHOTO_FINE, 4)));
    }

    // The photos next to the shown one are read ahead: a step to one shows its final picture
    // at once, before the event loop has run, with no read of its own.
    void readAheadPhotoShowsAtOnce_data() { addModes(); }

    void readAheadPhotoShowsAtOnce()
    {
        QFETCH(int, mode);
        Config::show_mode = mode;
        open(PHOTO_FINE, 4, 1);
        PictureLoader* loader = m_view->pictureLoader();
        QVERIFY(waitUntil([&] { return showsFinal(mode) && isSettled(); }));
        // Ahead (two on the stepping side) and the one behind.
        for (int index : {2, 3, 0})
            QCOMPARE(loader->stage(finalPath(photoAt(index), mode)), PictureLoader::Stage::Kept);
        PictureCache::Picture kept;
        QVERIFY(PictureCache::shared().find(finalPath(photoAt(2), mode), &kept));
        release(Qt::Key_Right);
        QVERIFY(showsFinal(mode));
        QVERIFY(near(shownColour(), colourOf(PHOTO_FINE, 2)));
        QCOMPARE(picture()->image().cacheKey(), kept.image.cacheKey());
        // Not read again either.
        QVERIFY(waitUntil([&] { return isSettled(); }));
        PictureCache::Picture after;
        QVERIFY(PictureCache::shared().find(finalPath(photoAt(2), mode), &after));
        QCOMPARE(after.image.cacheKey(), kept.image.cacheKey());
        // Back: the photo behind was kept as well.
        release(Qt::Key_Left);
        QVERIFY(showsFinal(mode));
        QVERIFY(near(shownColour(), colourOf(PHOTO_FINE, 1)));
    }

    // A photo rewritten (turned, say) while its picture is kept shows as it is now.
    void rewrittenPhotoShowsAnew()
    {
        Config::show_mode = 1;
        open(PHOTO_FINE, 3, 0);
        QVERIFY(waitUntil([&] { return showsFinal(1) && isSettled(); }));
        const QString second = photoAt(1).GetBigImagePath();
        QCOMPARE(m_view->pictureLoader()->stage(second), PictureLoader::Stage::Kept);
        QImage white(FullWidth, FullWidth * 3 / 4, QImage::Format_RGB32);
        white.fill(Qt::white);
        QVERIFY(ImageOperation::saveImage(white, second, "JPG", 95));
        release(Qt::Key_Right);
        QVERIFY(waitUntil([&] { return showsFinal(1) && near(shownColour(), Qt::white); }));
        QTest::qWait(100);
        QVERIFY(near(shownColour(), Qt::white));
    }

    // Closed with its reads still running: the loader goes at once and nothing is shown.
    void closingWithReadsPendingDeliversNothing()
    {
        const int scale = 30;
        open(PHOTO_FINE, 4, 0, scale);
        m_view->setAttribute(Qt::WA_DeleteOnClose, false);
        QPointer<PictureLoader> loader = m_view->pictureLoader();
        QVERIFY(loader);
        m_view->close();
        QVERIFY(loader.isNull());
        QVERIFY(!m_view->pictureLoader());
        // Later reads of the same photos end after those the view had started.
        PictureLoader probe;
        QStringList paths;
        for (int i = 0; i < 4; ++i)
            paths << photoAt(i).GetBigImagePath() << photoAt(i).GetImagePath();
        QSignalSpy loaded(&probe, &PictureLoader::loaded);
        probe.want(paths);
        QVERIFY(waitUntil([&] { return loaded.count() >= paths.size(); }));
        QVERIFY(picture()->image().isNull());
        // Keys and the wheel on the closed view do nothing.
        release(Qt::Key_Right);
        wheel(120);
        QVERIFY(picture()->image().isNull());
    }

    void lateLoadsOfOtherPhotosAreDropped()
    {
        Config::show_mode = 1;
        addAlbum(PHOTO_RAW, 2); // the same names in 照片
        open(PHOTO_FINE, 2, 0);
        QVERIFY(shows(PHOTO_FINE, 0));
        release(Qt::Key_Right);
        QVERIFY(shows(PHOTO_FINE, 1));
        Image raw;
        raw.SetPhotoType(PHOTO_RAW);
        raw.Setpath(QStringLiteral("IMG_2.jpg"));
        Image first = ImageData::getInstance()->GetSeletedImages().at(0);
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::white);
        // The first photo's full picture, arriving late, and the 照片 photo of the current name.
        m_view->loadFinished(picture, first.GetBigImagePath(), true);
        m_view->loadFinished(picture, raw.GetBigImagePath(), true);
        QVERIFY(near(shownColour(), colourOf(PHOTO_FINE, 1)));
        // A small picture after the full one does not replace it; a null one is ignored.
        const Image now = ImageData::getInstance()->getCurrentImage();
        m_view->loadFinished(picture, now.GetImagePath(), false);
        m_view->loadFinished(QImage(), now.GetBigImagePath(), true);
        QVERIFY(near(shownColour(), colourOf(PHOTO_FINE, 1)));
    }

    void slideShowStepsAndStopsAtTheEnd()
    {
        Config::play_speed = 700;
        open(PHOTO_FINE, 3, 0);
        QTimer* timer = slideShow();
        release(Qt::Key_Space);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 700);
        m_view->onTimer();
        m_view->onTimer();
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 2);
        QVERIFY(!noticeShown());
        m_view->onTimer();
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 2);
        QVERIFY(noticeShown());
        QVERIFY(!timer->isActive());
        // Space during the notice plays again.
        release(Qt::Key_Space);
        QVERIFY(timer->isActive());
        release(Qt::Key_Space);
        QVERIFY(!timer->isActive());
    }

    void slideShowOfAnEmptyAlbumEnds()
    {
        open(PHOTO_FINE, 0, 0);
        release(Qt::Key_Space);
        m_view->onTimer();
        QVERIFY(!slideShow()->isActive());
        Config::fullscreenshow_repeat = true;
        release(Qt::Key_Space);
        m_view->onTimer();
        QVERIFY(!slideShow()->isActive());
    }

    void setAsideInSelection_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("notice");
        QTest::newRow("first, black popup") << QString() << 3 << 0 << false << "IMG_2.jpg" << false;
        QTest::newRow("second of four, black popup") << "0" << 4 << 1 << false << "IMG_3.jpg" << false;
        // The photo that follows is now the last one: the end of the album is said.
        QTest::newRow("last but one, black popup") << "0" << 3 << 1 << false << "IMG_3.jpg" << true;
        QTest::newRow("last but one, repeating") << "0" << 3 << 1 << true << "IMG_3.jpg" << true;
        QTest::newRow("first of two") << "0" << 2 << 0 << false << "IMG_2.jpg" << true;
        QTest::newRow("last, black popup") << "0" << 3 << 2 << false << "IMG_2.jpg" << true;
        QTest::newRow("first, animated popup") << "2" << 3 << 0 << false << "IMG_2.jpg" << false;
        QTest::newRow("last, animated popup") << "1" << 3 << 2 << false << "IMG_2.jpg" << true;
    }

    void setAsideInSelection()
    {
        QFETCH(QString, style);
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(bool, repeat);
        QFETCH(QString, shown);
        QFETCH(bool, notice);
        Config::delete_style = style;
        Config::fullscreenshow_repeat = repeat;
        open(PHOTO_FINE, count, start);
        const QString name = current();
        QSignalSpy reported(m_view.data(), &FullScreenView::updateView);
        release(Qt::Key_Delete);
        if (style.isEmpty() || style == QLatin1String("0")) {
            QCOMPARE(MoviceDialog::tip, QStringLiteral("删除成功"));
        } else {
            QCOMPARE(TipDialog::tip, QStringLiteral("删除成功"));
            TipDialog* popup = m_view->findChild<TipDialog*>();
            QVERIFY(popup);
            QCOMPARE(popup->size(), m_view->size());
        }
        // The photo has gone before the popup says so; the view steps on when it ends.
        QVERIFY(!m_order->exists(QStringLiteral("成品/") + name));
        QVERIFY(m_order->exists(QStringLiteral("汰片/") + name));
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).size(), count - 1);
        endPopup();
        QCOMPARE(current(), shown);
        QCOMPARE(noticeShown(), notice);
        QVERIFY(shows(PHOTO_FINE, names(count).indexOf(shown)));
        m_view->close();
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.first().first().toStringList(), QStringList {name});
    }

    void setAsideTakesThePhotoOfTheKeyPress()
    {
        open(PHOTO_FINE, 4, 0);
        release(Qt::Key_Space);
        release(Qt::Key_Delete);
        QVERIFY(!slideShow()->isActive()); // the show stops for the popup
        QVERIFY(m_order->exists(QStringLiteral("汰片/IMG_1.jpg")));
        m_view->showNext(); // had it moved on meanwhile
        endPopup();
        QVERIFY(m_order->exists(QStringLiteral("成品/IMG_2.jpg")));
        QVERIFY(m_order->exists(QStringLiteral("成品/IMG_3.jpg")));
        QCOMPARE(current(), QStringLiteral("IMG_3.jpg")); // where the step left it
    }

    // A selection photo that cannot be set aside (a folder of its name fills its place in
    // 汰片) gets its failure box alone, in either popup style: no "删除成功", the photo stays in
    // 成品 and on screen, and closing reports nothing and posts nothing.
    void failedSetAsideKeepsThePhoto_data()
    {
        QTest::addColumn<QString>("style");
        QTest::newRow("black popup") << QString();
        QTest::newRow("animated popup") << "2";
    }

    void failedSetAsideKeepsThePhoto()
    {
        QFETCH(QString, style);
        Config::delete_style = style;
        m_order->addFile(QStringLiteral("汰片/IMG_2.jpg/keep"), "in the way");
        open(PHOTO_FINE, 3, 1);
        QVERIFY(shows(PHOTO_FINE, 1));
        QSignalSpy reported(m_view.data(), &FullScreenView::updateView);
        MoviceDialog::tip.clear();
        TipDialog::tip.clear();
        release(Qt::Key_Delete);
        QCOMPARE(m_prompts->texts(), QStringList {"成品IMG_2.jpg移至汰片失败，请检查是否有其他软件使用"});
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QVERIFY(topLevelWindows<MoviceDialog>().isEmpty());
        QVERIFY(m_view->findChildren<QDialog*>().isEmpty());
        QVERIFY(MoviceDialog::tip.isEmpty());
        QVERIFY(TipDialog::tip.isEmpty());
        QVERIFY(m_order->exists(QStringLiteral("成品/IMG_2.jpg")));
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).size(), 3);
        QCOMPARE(current(), QStringLiteral("IMG_2.jpg"));
        QVERIFY(!noticeShown());
        QVERIFY(shows(PHOTO_FINE, 1));
        m_view->close();
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.first().first().toStringList(), QStringList());
        QVERIFY((*m_backend)->requests().isEmpty());
    }

    void twoSetAsideAreReportedInOrderOnce()
    {
        open(PHOTO_FINE, 3, 1);
        QSignalSpy reported(m_view.data(), &FullScreenView::updateView);
        release(Qt::Key_Delete);
        endPopup();
        QTRY_VERIFY_WITH_TIMEOUT(topLevelWindows<MoviceDialog>().isEmpty(), 30000);
        release(Qt::Key_Delete);
        endPopup();
        QCOMPARE(current(), QStringLiteral("IMG_1.jpg"));
        QVERIFY(noticeShown()); // the last one went: the new last photo
        release(Qt::Key_Escape);
        QVERIFY(!FullScreenView::isValid);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.first().first().toStringList(), QStringList({"IMG_2.jpg", "IMG_3.jpg"}));
        QTRY_VERIFY_WITH_TIMEOUT(m_view.isNull(), 30000);
    }

    void setAsideOfTheOnlyPhotoCloses()
    {
        open(PHOTO_FINE, 1, 0);
        QSignalSpy reported(m_view.data(), &FullScreenView::updateView);
        release(Qt::Key_Delete);
        endPopup();
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.first().first().toStringList(), QStringList {"IMG_1.jpg"});
        QTRY_VERIFY_WITH_TIMEOUT(m_view.isNull(), 30000);
    }

    void assignedPhotoStays()
    {
        open(PHOTO_FINE, 2, 0);
        ImageData::getInstance()->getIterator()->setProductId(QStringLiteral("用1"));
        Config::delete_style = QStringLiteral("1");
        QSignalSpy reported(m_view.data(), &FullScreenView::updateView);
        release(Qt::Key_Delete);
        QCOMPARE(TipDialog::tip, QStringLiteral("照片已指定制作，无法移至汰片"));
        endPopup();
        QVERIFY(m_order->exists(QStringLiteral("成品/IMG_1.jpg")));
        QCOMPARE(current(), QStringLiteral("IMG_1.jpg"));
        m_view->close();
        QCOMPARE(reported.first().first().toStringList(), QStringList());
    }

    void noDeleteWhereNotAllowed_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("designRight");
        QTest::newRow("locked order") << int(PHOTO_FINE) << true << true;
        QTest::newRow("raw album") << int(PHOTO_RAW) << false << true;
        QTest::newRow("set-aside album") << int(PHOTO_DELETED) << false << true;
        QTest::newRow("design without the right") << int(PHOTO_DESIGN) << false << false;
    }

    void noDeleteWhereNotAllowed()
    {
        QFETCH(int, album);
        QFETCH(bool, locked);
        QFETCH(bool, designRight);
        Config::isLocked = locked;
        Config::is_del_design_photo = designRight;
        open(PHOTOTYPE(album), 2, 0);
        release(Qt::Key_Delete);
        QVERIFY(topLevelWindows<MoviceDialog>().isEmpty());
        QVERIFY(m_view->findChildren<QDialog*>().isEmpty());
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).size(), 2);
        // The other keys still work.
        release(Qt::Key_Right);
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 1);
    }

    void designDelete_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("notice");
        QTest::newRow("first") << 0 << false << 0 << "IMG_2.jpg" << false;
        QTest::newRow("middle, asked yes") << 1 << true << int(QMessageBox::Yes) << "IMG_3.jpg" << false;
        QTest::newRow("last") << 2 << false << 0 << "IMG_2.jpg" << true;
        QTest::newRow("asked no") << 1 << true << int(QMessageBox::No) << "IMG_2.jpg" << false;
    }

    void designDelete()
    {
        QFETCH(int, start);
        QFETCH(bool, ask);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(bool, notice);
        Config::is_del_design_photo = true;
        Config::is_del_design_prompt = ask;
        if (ask)
            m_prompts->answer(answer);
        open(PHOTO_DESIGN, 3, start);
        const QString name = current();
        release(Qt::Key_Delete);
        const bool deleted = answer != QMessageBox::No;
        QCOMPARE(m_prompts->count(), ask ? 1 : 0);
        if (ask)
            QCOMPARE(m_prompts->last().text, QStringLiteral("确定要删除吗？\n（注意：删除后无法恢复！）"));
        QCOMPARE(m_order->exists(QStringLiteral("设计汰片/") + name), deleted);
        QCOMPARE(current(), shown);
        QCOMPARE(noticeShown(), notice);
        QVERIFY(shows(PHOTO_DESIGN, names(3).indexOf(shown)));
        if (deleted) {
            QCOMPARE(MoviceDialog::tip, QStringLiteral("删除完成"));
            QVERIFY(m_backend->waitForRequests(1));
        }
    }

    void designDeleteOfTheLastPhotoCloses()
    {
        Config::is_del_design_photo = true;
        open(PHOTO_DESIGN, 1, 0);
        release(Qt::Key_Delete);
        QTRY_VERIFY_WITH_TIMEOUT(m_view.isNull(), 30000);
        QVERIFY(m_order->exists(QStringLiteral("设计汰片/IMG_1.jpg")));
    }

    void closingDuringTheNoticeIsSafe()
    {
        open(PHOTO_FINE, 2, 1);
        release(Qt::Key_Right);
        QVERIFY(noticeShown());
        release(Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(m_view.isNull(), 30000);
        // The notice's end comes after the view has gone.
        QTest::qWait(3200);
        QVERIFY(!FullScreenView::isValid);
    }

    void noticeHidesItself()
    {
        open(PHOTO_FINE, 2, 1);
        release(Qt::Key_Right);
        QVERIFY(noticeShown());
        QTRY_VERIFY_WITH_TIMEOUT(!noticeShown(), 30000);
    }

    // The view closed before a new one opened goes later: the new view's loads stay wanted.
    void aClosedViewLeavesTheNewerViewsFlag()
    {
        open(PHOTO_FINE, 2, 0);
        FullScreenView* old = m_view.data();
        old->close();
        QVERIFY(!FullScreenView::isValid);
        m_view = new FullScreenView(nullptr);
        QVERIFY(FullScreenView::isValid);
        delete old;
        QVERIFY(FullScreenView::isValid);
        m_view->show();
        QVERIFY(shows(PHOTO_FINE, 0));
    }

    void closingLeavesOtherWindowsJobsAlone()
    {
        addAlbum(PHOTO_FINE, 4);
        AlbumThumbnails albumJobs;
        QSignalSpy ready(&albumJobs, &AlbumThumbnails::iconReady);
        QSignalSpy dropped(&albumJobs, &AlbumThumbnails::jobDropped);
        PoolBlocker pool;
        QCOMPARE(albumJobs.startBatch(ImageData::getInstance()->GetSeletedImages()), 4);
        open(PHOTO_FINE, 0, 0);
        m_view->close();
        pool.release();
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 4, 30000);
        QCOMPARE(dropped.count(), 0);
    }
};

QTEST_MAIN(TestFullScreenView)
#include "tst_fullscreenview.moc"
