#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "viewer/fullscreenview.h"
#include "viewer/imageediter.h"
#include "viewer/movicedialog.h"
#include "viewer/photoview.h"
#include "viewer/tipdialog.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

// The pane over a 成品 album of three photos, the second one shown.
class PaneFixture
{
public:
    // secondOrientation: the EXIF orientation of IMG_2.
    explicit PaneFixture(PHOTOTYPE album = PHOTO_FINE, int secondOrientation = 1)
        : folder(OrderFolder::AlbumFolders | OrderFolder::ThumbnailFolders)
    {
        folder.addPhoto(album, QStringLiteral("IMG_1.jpg"), 120, 80);
        folder.addPhoto(album, QStringLiteral("IMG_2.jpg"), 120, 80, secondOrientation);
        folder.addPhoto(album, QStringLiteral("IMG_3.jpg"), 120, 80);
        ImageData* images = ImageData::getInstance();
        images->importImage(album);
        images->setType(album, SELE_ALL);
        images->setIterator(1, SELE_ALL);
        view.photoModel = album;
        view.resize(800, 600);
        view.show();
    }
    ~PaneFixture() { ImageData::getInstance()->clearImages(); }

    QPushButton* button(const char* name) { return view.findChild<QPushButton*>(QLatin1String(name)); }
    void pressDelete() { QTest::keyClick(&view, Qt::Key_Delete); }

    OrderFolder folder;
    PhotoView view;
};

class TestPhotoViewActions : public QObject
{
    Q_OBJECT
private:
    // The design deletion tells the back end.
    std::unique_ptr<TestBackend> m_backend;

private slots:
    void initTestCase()
    {
        m_backend = std::make_unique<TestBackend>();
        QVERIFY(m_backend->isReady());
    }

    void init()
    {
        Config::show_mode = 1;
        Config::shotCutKey[16] = 0;
        Config::shotCutKey[17] = Qt::Key_Delete;
        Config::isDelWarn = false;
        Config::isDelOrigin = false;
        Config::isLocked = false;
        Config::delete_style.clear();
        Config::is_del_design_photo = false;
        Config::is_del_design_prompt = false;
    }

    void screenWidthChoosesTheToolBar_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("small");
        QTest::newRow("1366") << 1366 << true;
        QTest::newRow("1367") << 1367 << false;
    }

    void screenWidthChoosesTheToolBar()
    {
        QFETCH(int, width);
        QFETCH(bool, small);
        const auto previous = PhotoView::screenWidth;
        PhotoView::screenWidth = [width] { return width; };
        PhotoView view;
        PhotoView::screenWidth = previous;
        QCOMPARE(view.isSmallScreen(), small);
        QCOMPARE(view.findChild<QPushButton*>("pb_more")->isHidden(), !small);
        QCOMPARE(view.findChild<QPushButton*>("pb_proadd")->isHidden(), small);
        QCOMPARE(view.moreMenu()->actions().size(), 2);
    }

    // The full path decides: a photo of the same file name in another album is stale.
    void loadsAreShownOnlyForTheWantedPath()
    {
        PaneFixture pane;
        QVERIFY(!pane.view.isShownImage());
        QCOMPARE(pane.button("BottomButton_Next")->isEnabled(), false); // state 0
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QVERIFY(pane.view.isFullSizeLoaded());
        QVERIFY(pane.button("BottomButton_Next")->isEnabled()); // state 1
        QVERIFY(pane.button("BottomButton_Clip")->isEnabled());

        const QImage before = pane.view.imageEditer()->grab().toImage();
        QImage other(50, 50, QImage::Format_RGB32);
        other.fill(Qt::red);
        pane.view.loadFinished(other, QStringLiteral("/elsewhere/汰片/IMG_2.jpg"), false);
        QVERIFY(pane.view.isFullSizeLoaded());
        QCOMPARE(pane.view.imageEditer()->grab().toImage(), before);
    }

    void steppingWrapsAtBothEnds()
    {
        PaneFixture pane;
        ImageData* images = ImageData::getInstance();
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        images->setIterator(2, SELE_ALL);
        pane.view.on_BottomButton_Next_clicked();
        QCOMPARE(images->getCurrentIndex(), 0);
        pane.view.on_BottomButton_Pre_clicked();
        QCOMPARE(images->getCurrentIndex(), 2);
    }

    void slideShowStopsFromOutside()
    {
        PaneFixture pane;
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        pane.view.on_BottomButton_Play_Stop_clicked();
        QVERIFY(pane.view.isPlaying());
        QCOMPARE(pane.button("BottomButton_Play_Stop")->text(), QStringLiteral("停止"));
        pane.view.stopTimerAcitve();
        QVERIFY(!pane.view.isPlaying());
        QCOMPARE(pane.button("BottomButton_Play_Stop")->text(), QStringLiteral("播放"));
    }

    void cropCommitAndCancelReachTheWorkspace()
    {
        PaneFixture pane;
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QSignalSpy changed(&pane.view, &PhotoView::sendClipChanged);
        pane.view.on_BottomButton_CommitClip_clicked(); // not cropping: nothing
        QCOMPARE(changed.count(), 0);
        pane.view.onReceiveClipSize(6, 4, false);
        QCOMPARE(pane.view.editMode(), 2);
        QCOMPARE(pane.button("BottomButton_CommitClip")->text(), QStringLiteral("确认"));
        const QRect frame = pane.view.imageEditer()->getClipRectToThousand();
        QVERIFY(frame.isValid());
        pane.view.on_BottomButton_CommitClip_clicked();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetTrimrc(), frame);
        QCOMPARE(pane.view.editMode(), 0);

        pane.view.onReceiveClipSize(6, 4, false);
        pane.view.on_BottomButton_CancelClip_clicked();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetTrimrc(), QRect(0, 0, 0, 0));
    }

    // 全部转正 is offered in 成品 only and turns the photos there that are not upright; in any other
    // album it turns nothing, although its job would turn whatever album is shown.
    void uprightRunReportsTheTurnedPhotoOnly_data()
    {
        QTest::addColumn<int>("album");
        QTest::newRow("成品") << int(PHOTO_FINE);
        QTest::newRow("照片") << int(PHOTO_RAW);
        QTest::newRow("设计") << int(PHOTO_DESIGN);
    }

    void uprightRunReportsTheTurnedPhotoOnly()
    {
        QFETCH(int, album);
        PaneFixture pane(PHOTOTYPE(album), 6);
        const QString file = ImageData::getInstance()->getCurrentImage().GetBigImagePath();
        QCOMPARE(ImageOperation::getDirection(file), 6);
        QSignalSpy turned(&pane.view, &PhotoView::sendUpdateThumbIconOneRefresh);
        pane.view.on_BottomButton_AllPhotoForward_clicked();
        if (album != PHOTO_FINE) {
            QThreadPool::globalInstance()->waitForDone();
            QCoreApplication::processEvents();
            QCOMPARE(turned.count(), 0);
            QCOMPARE(ImageOperation::getDirection(file), 6);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000); // shown again once all answered
        QCOMPARE(turned.count(), 1);
        QCOMPARE(turned.first().first().toInt(), 1);
        QVERIFY(!turned.first().at(1).value<QPixmap>().isNull());
        QVERIFY(ImageOperation::getDirection(file) != 6);
    }

    void addToProductOnlyFromTheSelection()
    {
        PromptRecorder prompts;
        {
            PaneFixture pane;
            QSignalSpy added(&pane.view, &PhotoView::sendProAddImg);
            pane.view.on_pb_proadd_clicked();
            QCOMPARE(added.count(), 1);
            QCOMPARE(added.first().first().toStringList(), QStringList {QStringLiteral("IMG_2.jpg")});
        }
        PaneFixture raw(PHOTO_RAW);
        QSignalSpy added(&raw.view, &PhotoView::sendProAddImg);
        raw.view.on_pb_proadd_clicked();
        QCOMPARE(added.count(), 0);
        QVERIFY(prompts.contains(QStringLiteral("温馨提示"), QStringLiteral("只能添加成品到产品中")));
    }

    // Only the delete shortcut meets the missing right in the raw album.
    void rawAlbumRefusesOnlyTheDeleteKey()
    {
        PromptRecorder prompts;
        PaneFixture pane(PHOTO_RAW);
        QTest::keyClick(&pane.view, Qt::Key_A);
        QCOMPARE(prompts.count(), 0);
        pane.pressDelete();
        QCOMPARE(prompts.count(), 1);
        QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("无权限删除，请和后台管理员联系")));
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).size(), 3);
    }

    // A photo of a product gets the refusal alone, never "删除成功", and stays.
    void assignedPhotoIsRefusedFirst()
    {
        PaneFixture pane;
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        ImageData::getInstance()->getIterator()->setProductId(QStringLiteral("77"));
        pane.pressDelete();
        QVERIFY(topLevelWindows<MoviceDialog>().isEmpty());
        QCOMPARE(TipDialog::tip, QStringLiteral("照片已指定制作，无法移至汰片"));
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).size(), 3);
        qDeleteAll(pane.view.findChildren<TipDialog*>());
    }

    // A photo that cannot be deleted or set aside (a folder of its name is in the way) gets its
    // failure box alone: nothing is reported as deleted, no "删除完成" or "删除成功" in either
    // popup style, and the pane stays on it.
    void failedDeleteKeepsThePhoto_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<QString>("blocker"); // made a folder that is not empty
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("deleteStyle");
        QTest::newRow("raw") << int(PHOTO_RAW) << "照片/IMG_2.jpg"
                             << "照片IMG_2.jpg删除失败，请重试" << QString();
        QTest::newRow("design") << int(PHOTO_DESIGN) << "设计汰片/IMG_2.jpg"
                                << "设计IMG_2.jpg移至设计汰片失败" << QString();
        QTest::newRow("selection, text popup") << int(PHOTO_FINE) << "汰片/IMG_2.jpg"
                                               << "成品IMG_2.jpg移至汰片失败，请检查是否有其他软件使用" << QString();
        QTest::newRow("selection, animated popup")
            << int(PHOTO_FINE) << "汰片/IMG_2.jpg"
            << "成品IMG_2.jpg移至汰片失败，请检查是否有其他软件使用" << QStringLiteral("1");
    }

    void failedDeleteKeepsThePhoto()
    {
        QFETCH(int, album);
        QFETCH(QString, blocker);
        QFETCH(QString, failure);
        QFETCH(QString, deleteStyle);
        PromptRecorder prompts;
        Config::isDelOrigin = true;
        Config::is_del_design_photo = true;
        Config::delete_style = deleteStyle;
        PaneFixture pane {PHOTOTYPE(album)};
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QFile::remove(pane.folder.path(blocker));
        pane.folder.addFile(blocker + QStringLiteral("/inside.jpg"), "inside");
        QSignalSpy deleted(&pane.view, &PhotoView::sendDeleteImage);
        QSignalSpy moved(&pane.view, &PhotoView::sendCursorMoved);
        MoviceDialog::tip.clear();
        TipDialog::tip.clear();

        pane.pressDelete();

        QTRY_VERIFY_WITH_TIMEOUT(prompts.contains(QStringLiteral("警告"), failure), 30000);
        QCOMPARE(deleted.count(), 0);
        QCOMPARE(moved.count(), 0);
        QVERIFY(pane.view.findChildren<MoviceDialog*>().isEmpty());
        QVERIFY(topLevelWindows<MoviceDialog>().isEmpty());
        QVERIFY(pane.view.findChildren<TipDialog*>().isEmpty());
        QVERIFY(MoviceDialog::tip.isEmpty());
        QVERIFY(TipDialog::tip.isEmpty());
        const QString folder = album == PHOTO_RAW ? QStringLiteral("照片")
            : album == PHOTO_FINE                 ? QStringLiteral("成品")
                                                  : QStringLiteral("设计");
        QVERIFY(QFile::exists(pane.folder.album(folder) + QStringLiteral("IMG_2.jpg")));
        QCOMPARE(imageNames(ImageData::getInstance()->getImagelist(SELE_ALL)),
            (QStringList {QStringLiteral("IMG_1.jpg"), QStringLiteral("IMG_2.jpg"), QStringLiteral("IMG_3.jpg")}));
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetImageName(), QStringLiteral("IMG_2.jpg"));
    }

    // Each rotate button shows a turn arrow in its own direction, dark on the light button. Both
    // arrows are open at the top with the head over the gap: a clockwise turn ends at the upper
    // left, an anticlockwise one at the upper right, so that side carries the head's ink.
    void rotateButtonsShowTheirTurn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("headOnLeft");
        QTest::newRow("clockwise") << "BottomButton_RotateClockWise" << true;
        QTest::newRow("anticlockwise") << "BottomButton_RotateAntiClockWise" << false;
    }

    void rotateButtonsShowTheirTurn()
    {
        QFETCH(QString, button);
        QFETCH(bool, headOnLeft);
        PaneFixture pane;
        QPushButton* rotate = pane.view.findChild<QPushButton*>(button);
        QVERIFY(rotate);
        const QImage icon = rotate->icon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!icon.isNull());
        const int background = qGray(rotate->palette().color(QPalette::Button).rgb());
        qint64 upperLeft = 0, upperRight = 0;
        int inked = 0;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QRgb pixel = icon.pixel(x, y);
                if (qAlpha(pixel) < 128)
                    continue;
                ++inked;
                // Dark enough to read on the button.
                QVERIFY2(
                    background - qGray(pixel) >= 100, qPrintable(QStringLiteral("light pixel at %1,%2").arg(x).arg(y)));
                if (y < icon.height() / 2)
                    (x < icon.width() / 2 ? upperLeft : upperRight) += 1;
            }
        }
        QVERIFY(inked > 100);
        QVERIFY2(headOnLeft ? upperLeft > upperRight : upperRight > upperLeft,
            qPrintable(QStringLiteral("upper left %1, upper right %2").arg(upperLeft).arg(upperRight)));
    }

    // The room preview is a mode of its own: the hidden photo is not turned, zoomed, compared
    // or opened full screen; an empty album leaves the preview, a photo shown ends it.
    void roomPreviewHoldsThePhoto()
    {
        PaneFixture pane;
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QString templatePath = pane.folder.path(QStringLiteral("room.jpg"));
        pane.view.showFamilyPic(templatePath);
        QCOMPARE(pane.view.editMode(), 3);
        QWidget* preview = pane.view.findChild<QWidget*>(QStringLiteral("familyscroll"));
        QWidget* picture = pane.view.findChild<QWidget*>(QStringLiteral("imagescroll"));
        QVERIFY(!preview->isHidden());

        pane.view.on_BottomButton_RotateClockWise_clicked();
        pane.view.on_BottomButton_RotateAntiClockWise_clicked();
        pane.view.on_BottomButton_RotateAntiClockWise_clicked();
        QCOMPARE(pane.view.imageEditer()->roll_angle(), 0);
        pane.view.showComparePic();
        QCOMPARE(pane.view.editMode(), 3);
        pane.view.showComparePic(QStringList {pane.folder.path(QStringLiteral("成品/IMG_1.jpg"))});
        QCOMPARE(pane.view.editMode(), 3);
        QMouseEvent doubleClick(
            QEvent::MouseButtonDblClick, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pane.view.imageEditer(), &doubleClick);
        QVERIFY(topLevelWindows<FullScreenView>().isEmpty());

        {
            // An album without photos: the preview stays.
            OrderFolder empty(OrderFolder::AlbumFolders);
            ImageData::getInstance()->importImage(PHOTO_FINE);
            pane.view.showImage();
            QCOMPARE(pane.view.editMode(), 3);
            QVERIFY(!preview->isHidden());
            QVERIFY(picture->isHidden());
        }
        ImageData::getInstance()->importImage(PHOTO_FINE);
        pane.view.showImage();
        // Rotation needs the picture, which arrives after the mode has changed.
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QCOMPARE(pane.view.editMode(), 0);
        QVERIFY(preview->isHidden());
        QVERIFY(!picture->isHidden());
        pane.view.on_BottomButton_RotateClockWise_clicked();
        QCOMPARE(pane.view.imageEditer()->roll_angle(), 90);
    }

    // The photo of the key press moves, even while a slide show runs, and "删除成功" comes
    // once it is in 汰片.
    void deleteMovesThePhotoOfTheKeyPress()
    {
        PaneFixture pane;
        pane.view.showImage();
        QTRY_VERIFY_WITH_TIMEOUT(pane.view.isShownImage(), 30000);
        QSignalSpy deleted(&pane.view, &PhotoView::sendDeleteImage);
        pane.view.on_BottomButton_Play_Stop_clicked(); // shows IMG_3
        MoviceDialog::tip.clear();
        pane.pressDelete();
        QVERIFY(!pane.view.isPlaying());
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(MoviceDialog::tip, QStringLiteral("删除成功"));
        QCOMPARE(topLevelWindows<MoviceDialog>().size(), 1);
        QVERIFY(QFile::exists(pane.folder.path(QStringLiteral("汰片/IMG_3.jpg"))));
        QCOMPARE(deleted.first().first().toStringList(), QStringList {QStringLiteral("IMG_3.jpg")});
        QCOMPARE(imageNames(ImageData::getInstance()->getImagelist(SELE_ALL)),
            (QStringList {QStringLiteral("IMG_1.jpg"), QStringLiteral("IMG_2.jpg")}));
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), 0); // it was the last one
        qDeleteAll(topLevelWindows<MoviceDialog>());
    }
};

QTEST_MAIN(TestPhotoViewActions)
#include "tst_photoviewactions.moc"
