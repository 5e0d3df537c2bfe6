#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "photostore/picturecache.h"
#include "tests/support/orderfolder.h"
#include "viewer/fullscreenview.h"
#include "viewer/imageediter.h"
#include "viewer/photoview.h"
#include "viewer/pictureloader.h"

#include <QSignalSpy>
#include <QtTest>

// The pane over a 成品 album whose photos differ in width (100 + 10 x index, at 80 high,
// all times scale), so that the shown picture tells which photo it is; every photo has its
// thumbnail levels.
class SteppingFixture
{
public:
    explicit SteppingFixture(int count, int orientationOfSecond = 1, int scale = 1)
        : folder(OrderFolder::AlbumFolders | OrderFolder::ThumbnailFolders)
    {
        for (int i = 0; i < count; ++i) {
            const Image photo = folder.addPhoto(PHOTO_FINE, QStringLiteral("IMG_%1.jpg").arg(i + 1), width(i) * scale,
                80 * scale, i == 1 ? orientationOfSecond : 1);
            ImageOperation::listIcon(ImageOperation::PhotoFiles::of(photo), 100);
        }
        PictureCache::shared().forgetAll();
        ImageData* images = ImageData::getInstance();
        images->importImage(PHOTO_FINE);
        images->setType(PHOTO_FINE, SELE_ALL);
        images->setIterator(0, SELE_ALL);
        view.photoModel = PHOTO_FINE;
        view.resize(800, 600);
        view.show();
    }
    ~SteppingFixture()
    {
        ImageData::getInstance()->clearImages();
        PictureCache::shared().forgetAll();
    }

    static int width(int index) { return 100 + 10 * index; }
    // The shown picture's width at the photos' height (the middle level is larger).
    int shownWidth() const
    {
        const QImage& shown = view.shownPicture();
        return shown.isNull() ? 0 : qRound(80.0 * shown.width() / shown.height());
    }
    // Every picture the pane wants is read and kept.
    bool isSettled() const
    {
        for (const QString& path : view.pictureLoader()->wanted())
            if (!PictureCache::shared().contains(path))
                return false;
        return true;
    }

    OrderFolder folder;
    PhotoView view;
};

class TestPhotoStepping : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Config::show_mode = 1;
        Config::isLocked = false;
    }

    // Many steps both ways keep a few pictures: the shown photo's and its neighbours'.
    void cacheStaysWithinItsBound_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("thumbnail, then full size") << 0;
        QTest::newRow("full size only") << 1;
        QTest::newRow("thumbnail, then middle") << 4;
    }

    void cacheStaysWithinItsBound()
    {
        QFETCH(int, mode);
        Config::show_mode = mode;
        SteppingFixture pane(9);
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        PictureCache& cache = PictureCache::shared();
        ImageData* images = ImageData::getInstance();
        for (int step = 0; step < 40; ++step) {
            if (step % 10 < 7)
                pane.view.on_BottomButton_Next_clicked();
            else
                pane.view.on_BottomButton_Pre_clicked();
            QVERIFY(cache.size() <= cache.capacity());
            QTRY_VERIFY_WITH_TIMEOUT(pane.isSettled(), 30000);
            QVERIFY(cache.size() <= cache.capacity());
            QTRY_COMPARE_WITH_TIMEOUT(pane.shownWidth(), SteppingFixture::width(images->getCurrentIndex()), 30000);
        }
        // What is kept is the shown photo and the photos near it, nothing else.
        const QList<Image>& list = images->getImagelist(SELE_ALL);
        const int index = images->getCurrentIndex();
        QStringList near;
        for (int i : {index - 2, index - 1, index, index + 1, index + 2}) {
            const Image& photo = list.at((i + list.size()) % list.size());
            near << QDir::cleanPath(mode == 4 ? photo.GetMiddleImagePath() : photo.GetBigImagePath());
            if (mode != 1)
                near << QDir::cleanPath(photo.GetImagePath());
        }
        for (const QString& path : cache.paths())
            QVERIFY2(near.contains(path), qPrintable(path));
    }

    // A photo changed on disk while its picture is kept is shown as it is now.
    void changedPhotoIsShownAnew_data()
    {
        QTest::addColumn<bool>("rotate");
        QTest::newRow("rotation saved") << true;
        QTest::newRow("turned upright by the upright run") << false;
    }

    void changedPhotoIsShownAnew()
    {
        QFETCH(bool, rotate);
        SteppingFixture pane(3, rotate ? 1 : 6);
        ImageData* images = ImageData::getInstance();
        images->setIterator(1, SELE_ALL);
        pane.view.showImage();
        QTRY_COMPARE_WITH_TIMEOUT(pane.shownWidth(), SteppingFixture::width(1), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(pane.isSettled(), 30000);
        const QString second = images->getCurrentImage().GetBigImagePath();
        QVERIFY(PictureCache::shared().contains(second));

        if (rotate) {
            QSignalSpy finished(pane.view.imageEditer(), &ImageEditer::rotateFinished);
            pane.view.on_BottomButton_RotateClockWise_clicked();
            pane.view.on_rotateSaveBtn_clicked();
            QVERIFY(finished.wait(30000));
        } else {
            pane.view.on_BottomButton_AllPhotoForward_clicked();
            QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(pane.view.shownPicture().size(), QSize(80, SteppingFixture::width(1)), 30000);
        // Away and back: the kept picture is the turned one.
        pane.view.on_BottomButton_Next_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(pane.shownWidth(), SteppingFixture::width(2), 30000);
        pane.view.on_BottomButton_Pre_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(pane.view.shownPicture().size(), QSize(80, SteppingFixture::width(1)), 30000);
        QTest::qWait(100);
        QCOMPARE(pane.view.shownPicture().size(), QSize(80, SteppingFixture::width(1)));
    }

    // Steps faster than the reads: only the photo stepped to last is shown in the end.
    void quickStepsShowOnlyTheLastPhoto_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("thumbnail, then full size") << 0;
        QTest::newRow("full size only") << 1;
    }

    void quickStepsShowOnlyTheLastPhoto()
    {
        QFETCH(int, mode);
        Config::show_mode = mode;
        SteppingFixture pane(6);
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isFullSizeLoaded(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(pane.isSettled(), 30000);
        PictureCache::shared().forgetAll(); // nothing read ahead: every step reads
        for (int step = 0; step < 4; ++step)
            pane.view.on_BottomButton_Next_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isFullSizeLoaded(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(pane.isSettled(), 30000);
        QTest::qWait(100);
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 4);
        QCOMPARE(pane.shownWidth(), SteppingFixture::width(4));
    }

    // A photo several times the pane's size is decoded only as large as the pane needs, and
    // kept so; zooming in reads and shows the whole photo.
    void zoomShowsTheWholePhoto_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("zoomsAtOnce");
        QTest::newRow("thumbnail, then full size") << 0 << true;
        QTest::newRow("full size only") << 1 << true;
        // The middle picture shown: the first zoom brings the whole photo, the next zooms in.
        QTest::newRow("thumbnail, then middle") << 4 << false;
    }

    void zoomShowsTheWholePhoto()
    {
        QFETCH(int, mode);
        QFETCH(bool, zoomsAtOnce);
        Config::show_mode = mode;
        const int scale = 30;
        SteppingFixture pane(3, 1, scale);
        const QSize whole(SteppingFixture::width(0) * scale, 80 * scale);
        ImageEditer* editer = pane.view.imageEditer();
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(pane.isSettled(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(mode == 4 || pane.view.isFullSizeLoaded(), 30000);
        const QSize shown = pane.view.shownPicture().size();
        const QSize needed = shown.scaled(editer->size(), Qt::KeepAspectRatio);
        QVERIFY2(shown.width() < whole.width() && shown.width() >= needed.width() && shown.height() >= needed.height(),
            qPrintable(QStringLiteral("%1 x %2").arg(shown.width()).arg(shown.height())));
        const QSize fitted = editer->getImageRect().size();

        pane.view.on_BottomButton_ScaleBig_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(pane.view.shownPicture().size(), whole, 30000);
        QVERIFY(pane.view.isFullSizeLoaded());
        if (!zoomsAtOnce) {
            QCOMPARE(editer->getImageRect().size(), fitted);
            pane.view.on_BottomButton_ScaleBig_clicked();
        }
        QTRY_VERIFY_WITH_TIMEOUT(editer->getImageRect().width() > fitted.width(), 30000);
        QCOMPARE(pane.view.shownPicture().size(), whole);
        // The whole picture is the pane's while it zooms; the cache keeps fitted ones.
        PictureCache::Picture kept;
        if (PictureCache::shared().find(ImageData::getInstance()->getCurrentImage().GetBigImagePath(), &kept))
            QVERIFY(kept.image.size() != whole);
        // A step away and back shows the photo fitted again.
        pane.view.on_BottomButton_Next_clicked();
        pane.view.on_BottomButton_Pre_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage() && pane.view.shownPicture().size() != whole, 30000);
    }

    // A pane grown beyond the size its picture was decoded for reads the picture again.
    void grownPaneReadsThePictureAgain()
    {
        const int scale = 60;
        SteppingFixture pane(2, 1, scale);
        pane.view.resize(300, 250);
        ImageEditer* editer = pane.view.imageEditer();
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isFullSizeLoaded(), 30000);
        const QSize before = pane.view.shownPicture().size();
        QVERIFY(before.width() < SteppingFixture::width(0) * scale);

        pane.view.resize(1600, 1200);
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.shownPicture().size() != before, 30000);
        const QSize shown = pane.view.shownPicture().size();
        const QSize needed = shown.scaled(editer->size(), Qt::KeepAspectRatio);
        QVERIFY(shown.width() >= needed.width() && shown.height() >= needed.height());
        QVERIFY(pane.view.isFullSizeLoaded());
    }

    // The full-screen view reads for the screen, beside the pane's pictures: stepping and
    // closing it leaves those the pane keeps for its own box.
    void fullScreenLeavesThePanesPictures()
    {
        SteppingFixture pane(4, 1, 20);
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isFullSizeLoaded(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(pane.isSettled(), 30000);
        const QStringList kept = pane.view.pictureLoader()->wanted();
        {
            FullScreenView full;
            full.resize(1000, 700);
            full.show();
            QTRY_VERIFY_WITH_TIMEOUT(full.isFullSizeLoaded(), 30000);
            full.showNext();
            QTRY_VERIFY_WITH_TIMEOUT(full.isFullSizeLoaded(), 30000);
            for (const QString& path : full.pictureLoader()->wanted())
                QTRY_VERIFY_WITH_TIMEOUT(full.pictureLoader()->stage(path) == PictureLoader::Stage::Kept, 30000);
            for (const QString& path : kept)
                QCOMPARE(pane.view.pictureLoader()->stage(path), PictureLoader::Stage::Kept);
            full.close();
        }
        for (const QString& path : kept)
            QCOMPARE(pane.view.pictureLoader()->stage(path), PictureLoader::Stage::Kept);
        QVERIFY(pane.isSettled());
    }

    // A late thumbnail never covers the larger picture of the same photo.
    void thumbnailNeverCoversTheFinalPicture()
    {
        Config::show_mode = 0;
        SteppingFixture pane(3);
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isFullSizeLoaded(), 30000);
        const Image photo = ImageData::getInstance()->getCurrentImage();
        QImage small(10, 10, QImage::Format_RGB32);
        small.fill(Qt::red);
        PictureCache::Picture late;
        late.image = small;
        emit pane.view.pictureLoader()->loaded(photo.GetImagePath(), late);
        QVERIFY(pane.view.isFullSizeLoaded());
        QCOMPARE(pane.shownWidth(), SteppingFixture::width(0));
    }
};

QTEST_MAIN(TestPhotoStepping)
#include "tst_photostepping.moc"
