#ifndef PHOTOVIEW_H
#define PHOTOVIEW_H

#include "photostore/image.h"
#include "photostore/picturecache.h"
#include "tools/trimdlg.h"
#include "viewer/rotationsave.h"

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class OpenGlWidget;
#include <functional>

class DrawnTurn;
class ImageEditer;
class PictureLoader;
class ProgressWindow;
class TipDialog;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMovie;
namespace Ui {
class PhotoView;
}

// The large-photo pane of the selection workspace. The workspace creates one, writes the
// album it shows into `photoModel`, calls the public operations and connects the signals.
//
// The shown photo loads on workers (thumbnail first, then the middle or full-size picture,
// or the full-size one only, by Config::show_mode); an answer is shown only while its full
// path is still the photo the pane wants. The pictures of the neighbouring photos are read
// ahead into a small cache (PictureLoader), so that a step shows its picture at once; the
// GUI thread never reads or scales a photo for it.
class PhotoView : public QWidget
{
    Q_OBJECT
public:
    explicit PhotoView(QWidget* parent = nullptr);
    ~PhotoView() override;

    // The album the workspace shows (a PHOTOMODEL value); only the workspace writes it.
    int photoModel;

    void showImage();
    void stopTimerAcitve();
    // The set-aside popup for these photos; sendAnimalStopDeleteIMG() once it has closed.
    void showCryLabelNew(QStringList names);
    void setButtonsEnable(bool enable);
    void setLocked();
    void showComparePic();
    void showComparePic(QStringList paths);
    void showFamilyPic(QString& path);
    void setImageEditerDragIndex(bool isdrag, QString& path);

    bool isShownImage() const { return !shownImage.isNull(); }
    // The photo whose picture is on screen (a default record while none is).
    const Image& shownPhoto() const { return m_shownPhoto; }
    const QImage& shownPicture() const { return shownImage; }
    int editMode() const { return m_editMode; }
    ImageEditer* imageEditer() const { return editer; }
    TrimDlg* trimDlg() { return &trim; }
    QMenu* moreMenu() const { return m_moreMenu; }
    QMenu* modeMenu() const { return m_modeMenu; }
    bool isSmallScreen() const { return smallScreen; }
    bool isFullSizeLoaded() const { return fullSizeLoaded; }
    bool isPlaying() const { return timer.isActive(); }
    PictureLoader* pictureLoader() const { return m_loader; }

    // The primary screen's width, read at construction; tests replace it to reach both
    // tool-bar layouts.
    static std::function<int()> screenWidth;

signals:
    void sendUpdateMiddleRefresh(QStringList deletedImageNames);
    void sendClipChanged();
    void sendRemarkChanged();
    void sendDeleteImage(QStringList imgName);
    void sendTitleChange();
    void updateProductThumb();
    void sendAnimalStopDeleteIMG();
    void sendUpdateRotateImg(int num);
    void sendUpdateThumbIconOneRefresh(int index, QPixmap pic);
    void sendProAddImg(QStringList imgs);
    // The pane moved the store's cursor itself (a step, the slide show, the full-screen view,
    // a deletion): the album panel marks the photo now shown.
    void sendCursorMoved();
    // A saved turn has settled this photo's crop (turned, or as the back end holds it).
    void sendClipTurned(const QString& name);
    // Photos have just gone from 成品 to 汰片 here or in the full-screen view: the album panel
    // posts their move record.
    void sendMovedToDeleted(QStringList names);

public slots:
    void slt_photoNumLabVisible(bool visible);
    void stopGifNew();
    void finishTipDailog();
    void onTimer();
    void onReceiveClipSize(int width, int height, bool isEllipse);
    void loadFinished(QImage img, QString imgPath, bool isOriginal);
    void on_menu_Triggered(QAction* action);
    void slt_moreMenu_Click(QAction* action);
    void onUpdate(QStringList deletedImageNames);
    void receiveNeedMessage();
    void on_BottomButton_Play_Stop_clicked();
    void on_BottomButton_Pre_clicked();
    void on_BottomButton_Next_clicked();
    void on_BottomButton_ScaleBig_clicked();
    void on_BottomButton_ScaleSmall_clicked();
    void on_BottomButton_Clip_clicked();
    void on_BottomButton_CommitClip_clicked();
    void on_BottomButton_CancelClip_clicked();
    void on_BottomButton_Remark_clicked();
    void on_BottomButton_RotateClockWise_clicked();
    void on_BottomButton_RotateAntiClockWise_clicked();
    void on_BottomButton_PlaySpeed_clicked();
    void on_BottomButton_AllPhotoForward_clicked();
    void on_rotateSaveBtn_clicked();
    void on_pb_proadd_clicked();
    void phototoupOneFinishSlot(bool ischange, QPixmap pic);
    void rotateImgFinishSlot();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showSmallThenBig();
    void showSmallThenMid();
    void showBigPhoto();
    void showNoPhoto();
    // What is drawn on a photo follows a turn saved into its files.
    void turnDrawnOnPhoto(const SavedTurn& turn);
    void showSmallPhoto(const PictureCache::Picture& picture);
    // Reads the shown photo's whole full-size picture (for zooming), zooming in when it comes.
    void showWholePicture(bool zoom);
    // Reads the shown picture again when the pane has outgrown the size it was decoded for.
    void refitReducedPicture();
    // Shows path (the final picture of the display mode) from the cache, or reads it, with
    // the small thumbnail first when smallFirst; then reads the neighbours ahead.
    void showPicture(const QString& path, bool isOriginal, bool smallFirst);
    void onPictureLoaded(QString path, PictureCache::Picture picture);
    // The shown photo's pictures and its neighbours', nearest first, for the loader.
    void readAhead();
    void showLeftImage();
    // Back to browsing without storing the frame: the framed photo's picture as it was.
    void leaveCropMode();
    // The photo the frame was started on is still the store's current photo, and on screen.
    bool isFramedPhotoCurrent();
    // The photo on screen is the store's current photo.
    bool isShownPhotoCurrent();
    // The same, for a tool about to act on the picture; when it is not so, the pane lets go
    // of the picture (unless the current photo's own is still loading) and the tool refuses.
    bool confirmShownPhoto();
    void showWaitLabel(bool show);
    void showFullScreenPhotoView();
    void setBottomButtonEnable(int state);
    // The buttons as the pane's mode wants them now.
    void restoreBottomButtons();
    bool isSavingTurn() const { return !m_savingPhoto.GetImageName().isEmpty(); }
    // The photo on screen is the one whose turn is being saved.
    bool isShownPhotoSaving() const;
    // While a turn is being saved nothing turns a picture (the turn on screen would be lost
    // or saved twice), and the photo being saved takes no crop or marks until its own are
    // turned and stored.
    void holdToolsWhileSaving();
    void endTurnSave();
    QRect noticeGeometry() const;
    // The delete popup chosen by Config::delete_style; its end goes to the slot given.
    void showDeletePopup(void (PhotoView::*finished)());
    void showRefusal();
    // A TipDialog with this text over the picture area, animated, deleted on close.
    TipDialog* showTipOverPicture(const QString& text);
    // Moves the selection photo of that file (its own name, as the album panel names it) to
    // 汰片, then says so; a photo that stayed says nothing more.
    void deleteFineImage(const QString& fileName);
    void deleteOringinalImage();
    void deleteDesignImage(const Image& photo);
    // Puts the cursor on index i of the album's list after a removal, or on the first photo
    // when i lies past the end.
    void placeCursorAfterRemoval(int i);

    Ui::PhotoView* ui;
    OpenGlWidget* familyWidget;
    // The latest photo pressed for the room preview; earlier loads still running are dropped.
    int m_familyPhotoLoad = 0;
    // The full-size photo is shown (fitted to the pane, perhaps decoded only that large).
    bool fullSizeLoaded = false;
    // The shown picture was decoded smaller than its file: zooming in reads the whole one.
    bool m_shownReduced = false;
    // Zoom in one step once the whole picture of the shown photo arrives.
    bool m_zoomWhenWhole = false;
    TrimDlg trim;
    int m_editMode = 0;
    // The photo the crop frame was started on; a commit or cancel acts on it alone.
    Image m_framedPhoto;
    QTimer timer;
    QImage shownImage;
    // The full path of the photo being loaded or shown; answers for any other path are stale.
    QString curPath;
    // The photo curPath belongs to, and the one whose picture shownImage is: a crop or marks
    // name the photo they were drawn on.
    Image m_wantedPhoto;
    Image m_shownPhoto;
    bool curIsOriginal = false;
    // The small thumbnail still awaited for the photo being loaded; empty once anything of
    // that photo is shown, so that a late thumbnail never covers a larger picture.
    QString m_smallPath;
    // The worker-fitted picture of the image about to be shown, when there is one.
    PictureCache::Picture m_offered;
    PictureLoader* m_loader = nullptr;
    // +1 after a step forward, -1 after a step back: that side is read ahead first.
    int m_stepDirection = 1;
    ImageEditer* editer = nullptr;
    QLabel* waitLabel = nullptr;
    QMovie* waitMovie = nullptr;
    QMenu* m_modeMenu = nullptr;
    QList<QAction*> modeActions;
    QMenu* m_moreMenu = nullptr;
    QAction* uprightAction = nullptr;
    QAction* proAddAction = nullptr;
    QList<Image>::iterator playStart;
    ProgressWindow* progress = nullptr;
    int uprightCount = 0;
    int uprightTotal = 0;
    int lastRotation = 0;
    // The crop and marks of the photo whose turn is being saved, while they are being turned.
    QPointer<DrawnTurn> m_drawnTurn;
    // The photo whose turn is being saved, from the press of "旋转保存" until its turned picture
    // is on screen (or the pane shows another photo); empty when no save runs.
    Image m_savingPhoto;
    // The save has ended and the saved photo's turned picture is being read.
    bool m_isAwaitingSavedPicture = false;
    // The turn was written into the photo's files: its thumbnail is made again at the end.
    bool m_isTurnWritten = false;
    bool smallScreen = false;
    // A child of the top-level window, so that it floats over the whole workspace.
    QPointer<QLabel> photoNumLabel;
};

#endif // PHOTOVIEW_H
