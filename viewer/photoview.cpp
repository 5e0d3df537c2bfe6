#include "viewer/photoview.h"
#include "ui_photoview.h"

#include "core/config.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/worker.h"
#include "photostore/croprect.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "photostore/thumbnailthread.h"
#include "tools/addfrontdlg.h"
#include "tools/openglwidget.h"
#include "viewer/drawnturn.h"
#include "viewer/fullscreenview.h"
#include "viewer/imageediter.h"
#include "viewer/movicedialog.h"
#include "viewer/pictureloader.h"
#include "viewer/playspeeddialog.h"
#include "viewer/progresswindow.h"
#include "viewer/readahead.h"
#include "viewer/tipdialog.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QResizeEvent>
#include <QScreen>
#include <QThreadPool>
#include <QWheelEvent>

#include <utility>

std::function<int()> PhotoView::screenWidth = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1920;
};

namespace {
const char* const kTransparentBorderless
    = "QPushButton{background-color:rgba(255, 255, 255, 0);border-style: solid;border-width: 0px;}";
const char* const kTransparent = "QPushButton{background-color:rgba(255, 255, 255, 0);}";
const char* const kPlain = "QPushButton{}";
} // namespace

PhotoView::PhotoView(QWidget* parent)
    : QWidget(parent)
    , photoModel(PHOTO_FINE)
    , ui(new Ui::PhotoView)
    , trim(nullptr)
{
    ui->setupUi(this);
    const double dpi = Config::scaleDpi;
    ui->w_btom->setFixedHeight(int(40 * dpi));
    const QList<QPair<QPushButton*, int>> widths {{ui->pushButton_PhotoMode, 55}, {ui->BottomButton_PlaySpeed, 40},
        {ui->BottomButton_Pre, 30}, {ui->BottomButton_Play_Stop, 40}, {ui->BottomButton_Next, 30},
        {ui->BottomButton_ScaleBig, 30}, {ui->BottomButton_ScaleSmall, 30}, {ui->BottomButton_RotateAntiClockWise, 30},
        {ui->BottomButton_RotateClockWise, 30}, {ui->rotateSaveBtn, 70}, {ui->BottomButton_AllPhotoForward, 70},
        {ui->BottomButton_Clip, 40}, {ui->BottomButton_Remark, 70}, {ui->pb_proadd, 70}, {ui->pb_more, 30},
        {ui->BottomButton_CancelClip, 40}, {ui->BottomButton_CommitClip, 40}};
    for (const auto& button : widths)
        button.first->setMinimumSize(int(button.second * dpi), int(30 * dpi));

    m_moreMenu = new QMenu(this);
    uprightAction = new QAction(QStringLiteral("全部转正"), this);
    proAddAction = new QAction(QStringLiteral("加入产品"), this);
    m_moreMenu->addAction(uprightAction);
    m_moreMenu->addAction(proAddAction);
    ui->pb_more->setMenu(m_moreMenu);
    smallScreen = screenWidth() < 1367;
    if (smallScreen) {
        connect(m_moreMenu, &QMenu::triggered, this, &PhotoView::slt_moreMenu_Click);
        ui->pb_proadd->hide();
        ui->BottomButton_AllPhotoForward->hide();
    } else {
        ui->pb_more->hide();
    }

    // The room preview is not built yet: its scroll area stays hidden.
    editer = new ImageEditer;
    ui->imagescroll->setWidget(editer);
    ui->imagescroll->setAlignment(Qt::AlignCenter);
    editer->installEventFilter(this);
    connect(editer, &ImageEditer::rotateFinished, this, &PhotoView::rotateImgFinishSlot);
    // The thumbnail is made again once the whole save has ended, for the photo's row then.
    connect(editer, &ImageEditer::rotateSaved, this, [this](int) { m_isTurnWritten = true; });
    connect(editer, &ImageEditer::turnSaved, this, &PhotoView::turnDrawnOnPhoto);
    ui->familyscroll->hide();
    familyWidget = new OpenGlWidget(nullptr);
    familyWidget->setAcceptDrops(true);
    ui->familyscroll->setWidget(familyWidget);
    ui->familyscroll->setAlignment(Qt::AlignCenter);

    m_loader = new PictureLoader(this);
    connect(m_loader, &PictureLoader::loaded, this, &PhotoView::onPictureLoaded);

    timer.setSingleShot(false);
    connect(&timer, &QTimer::timeout, this, &PhotoView::onTimer);
    connect(&trim, &TrimDlg::SendSelectedrcPara, this, &PhotoView::onReceiveClipSize);

    waitLabel = new QLabel(window());
    waitMovie = new QMovie(QStringLiteral(":/Play/Image/Play/wait.png"), QByteArray(), waitLabel);
    waitLabel->setMovie(waitMovie);
    waitLabel->setFrameStyle(0);
    waitLabel->hide();
    setMouseTracking(true);
    setBottomButtonEnable(0);
    connect(&trim, &TrimDlg::cancelEditPhoto, this, &PhotoView::on_BottomButton_CancelClip_clicked);

    if (Config::bigImgShopIds.contains(Config::shop_id)) {
        ui->pushButton_PhotoMode->setText(QStringLiteral("只原图"));
    } else {
        m_modeMenu = new QMenu(this);
        modeActions << new QAction(QStringLiteral("缩略图+中图"), this)
                    << new QAction(QStringLiteral("缩略图+原图"), this) << new QAction(QStringLiteral("只原图"), this);
        modeActions[0]->setData(4);
        modeActions[1]->setData(0);
        modeActions[2]->setData(1);
        m_modeMenu->addActions(modeActions);
        ui->pushButton_PhotoMode->setMenu(m_modeMenu);
        connect(m_modeMenu, &QMenu::triggered, this, &PhotoView::on_menu_Triggered);
    }

    progress = new ProgressWindow(nullptr);
    progress->setWindowModality(Qt::ApplicationModal);

    photoNumLabel = new QLabel(window());
    QFont font = photoNumLabel->font();
    font.setPointSize(12);
    photoNumLabel->setFont(font);
    photoNumLabel->setAlignment(Qt::AlignCenter);
    photoNumLabel->setStyleSheet(QStringLiteral("color: ") + Config::photoNumAlertColor);
    photoNumLabel->setFrameStyle(0);
    photoNumLabel->hide();
}

PhotoView::~PhotoView()
{
    delete progress;
    delete waitLabel;
    delete photoNumLabel;
    delete ui;
}

// ---- Showing ----

void PhotoView::showImage()
{
    // Whatever comes next, a frame started on the photo shown so far is not committed later.
    leaveCropMode();
    ImageData* images = ImageData::getInstance();
    const bool selection = images->getType() == PHOTO_FINE;
    if (smallScreen) {
        m_moreMenu->removeAction(uprightAction);
        if (selection)
            m_moreMenu->addAction(uprightAction);
    } else {
        ui->BottomButton_AllPhotoForward->setVisible(selection);
    }
    // Only a cursor on a photo of the view on show is shown; the end position designates none.
    if (images->getImagelist(images->getSeleType()).isEmpty() || images->getCurrentIndex() < 0) {
        showNoPhoto();
        return;
    }
    m_wantedPhoto = images->getCurrentImage();
    // A photo to show ends the room preview; an empty album leaves it on screen.
    if (m_editMode == 3)
        m_editMode = 0;
    ui->familyscroll->hide();
    ui->imagescroll->show();
    fullSizeLoaded = false;
    m_shownReduced = false;
    m_zoomWhenWhole = false;
    curPath.clear();
    m_smallPath.clear();
    switch (Config::show_mode) {
    case 0:
        showSmallThenBig();
        break;
    case 1:
        showBigPhoto();
        break;
    case 4:
        showSmallThenMid();
        break;
    default:
        break;
    }
}

void PhotoView::showNoPhoto()
{
    // A photo that left the album is no longer on screen, so no tool can act on it (a turn
    // saved into the folder it left, a crop or marks of a photo that is elsewhere now). A
    // picture still loading for it is dropped when it arrives.
    shownImage = QImage();
    m_shownPhoto = Image();
    m_wantedPhoto = Image();
    if (m_isAwaitingSavedPicture)
        endTurnSave();
    m_offered = PictureCache::Picture();
    curPath.clear();
    m_smallPath.clear();
    fullSizeLoaded = false;
    showWaitLabel(false);
    editer->showImage(QImage(), QString(), QRect(), ImageData::getInstance()->getType(), false, 0);
    // The room preview stays on screen; it shows a template, not the photo.
    if (m_editMode != 3)
        m_editMode = 0;
    setBottomButtonEnable(0);
}

void PhotoView::showSmallPhoto(const PictureCache::Picture& picture)
{
    m_smallPath.clear();
    if (picture.image.isNull())
        return;
    shownImage = picture.image;
    m_shownPhoto = m_wantedPhoto;
    m_offered = picture;
    showLeftImage();
}

void PhotoView::showSmallThenBig()
{
    showPicture(ImageData::getInstance()->getCurrentImage().GetBigImagePath(), true, true);
}

void PhotoView::showSmallThenMid()
{
    showPicture(ImageData::getInstance()->getCurrentImage().GetMiddleImagePath(), false, true);
}

void PhotoView::showBigPhoto()
{
    const QString path = ImageData::getInstance()->getCurrentImage().GetBigImagePath();
    qCDebug(lcViewer) << "大图路径： " << path;
    showPicture(path, true, false);
}

void PhotoView::showPicture(const QString& path, bool isOriginal, bool smallFirst)
{
    curPath = path;
    curIsOriginal = isOriginal;
    m_smallPath = smallFirst ? ImageData::getInstance()->getCurrentImage().GetImagePath() : QString();
    m_loader->setBox(editer->size());
    PictureCache::Picture picture;
    if (m_loader->cached(path, &picture)) {
        // Decoded ahead: no thumbnail first, and nothing to wait for.
        m_smallPath.clear();
        m_offered = picture;
        loadFinished(picture.image, path, isOriginal);
    } else {
        showWaitLabel(true);
        if (m_loader->cached(m_smallPath, &picture))
            showSmallPhoto(picture);
    }
    readAhead();
}

void PhotoView::readAhead()
{
    ImageData* images = ImageData::getInstance();
    const QList<Image>& list = images->getImagelist(images->getSeleType());
    const int index = images->getCurrentIndex();
    if (index < 0 || index >= list.size())
        return;
    m_loader->want(ReadAhead::paths(list, index, m_stepDirection, Config::show_mode, curPath));
}

void PhotoView::onPictureLoaded(QString path, PictureCache::Picture picture)
{
    if (path.isEmpty())
        return;
    if (path == curPath) {
        // A picture decoded for the pane alone never replaces the whole one read for zooming.
        if (picture.isReduced() && fullSizeLoaded && !m_shownReduced)
            return;
        m_offered = picture;
        loadFinished(picture.image, path, curIsOriginal);
        if (m_zoomWhenWhole && fullSizeLoaded && !m_shownReduced) {
            m_zoomWhenWhole = false;
            editer->scaleLarge();
        }
    } else if (path == m_smallPath) {
        showSmallPhoto(picture);
    }
    // Anything else was read ahead and waits in the cache.
}

void PhotoView::loadFinished(QImage img, QString imgPath, bool isOriginal)
{
    showWaitLabel(false);
    // Two albums may hold photos of the same file name: only the whole path tells them apart.
    if (img.isNull() || imgPath != curPath) {
        m_offered = PictureCache::Picture();
        // The picture on screen is the saved photo as it was before its turn: nothing may act on it.
        if (img.isNull() && imgPath == curPath && m_isAwaitingSavedPicture)
            showNoPhoto();
        return;
    }
    m_smallPath.clear();
    shownImage = img;
    m_shownPhoto = m_wantedPhoto;
    m_shownReduced = m_offered.image.cacheKey() == img.cacheKey() && m_offered.isReduced();
    showLeftImage();
    fullSizeLoaded = isOriginal;
}

void PhotoView::showLeftImage()
{
    if (!isShownImage())
        return;
    // The store's record while it is the photo on screen (a crop just stored shows), else the
    // pane's own: a picture is never drawn with another photo's name and crop.
    const Image photo = isShownPhotoCurrent() ? ImageData::getInstance()->getCurrentImage() : m_shownPhoto;
    // The picture fitted on the worker spares the GUI thread scaling a large photo.
    if (m_offered.image.cacheKey() == shownImage.cacheKey())
        editer->offerFitted(m_offered.image, m_offered.fitted, m_offered.box);
    m_offered = PictureCache::Picture();
    // Shared, not copied: the widget never writes into the picture.
    editer->showImage(shownImage, photo.GetImageName(), photo.GetTrimrc(), photo.GetPicType(), photo.isEllipse(), 0);
    m_editMode = 0;
    ui->familyscroll->hide();
    ui->imagescroll->show();
    // A picture read from the files is on screen, unturned: a saved turn is over.
    if (m_isAwaitingSavedPicture) {
        m_isAwaitingSavedPicture = false;
        m_savingPhoto = Image();
    }
    setBottomButtonEnable(1);
}

void PhotoView::leaveCropMode()
{
    if (m_editMode != 2)
        return;
    m_editMode = 0;
    if (isShownImage())
        editer->showImage(shownImage, m_framedPhoto.GetImageName(), m_framedPhoto.GetTrimrc(),
            m_framedPhoto.GetPicType(), m_framedPhoto.isEllipse(), 0);
    setBottomButtonEnable(1);
}

bool PhotoView::isFramedPhotoCurrent()
{
    return isShownPhotoCurrent() && m_shownPhoto.GetBigImagePath() == m_framedPhoto.GetBigImagePath();
}

bool PhotoView::isShownPhotoCurrent()
{
    ImageData* images = ImageData::getInstance();
    // The full path tells the albums apart, and the end position is no photo at all. A picture
    // is only ever shown for a photo the cursor stood on, a listed file with a name, so the
    // paths never match for a photo without one.
    return isShownImage() && images->getCurrentIndex() >= 0
        && images->getCurrentImage().GetBigImagePath() == m_shownPhoto.GetBigImagePath();
}

bool PhotoView::confirmShownPhoto()
{
    if (isShownPhotoCurrent())
        return true;
    // The current photo's own picture is on its way: the tool waits for it.
    ImageData* images = ImageData::getInstance();
    if (!curPath.isEmpty() && images->getCurrentIndex() >= 0
        && images->getCurrentImage().GetBigImagePath() == m_wantedPhoto.GetBigImagePath())
        return false;
    // The picture on screen is no longer the current photo's: rather than act on one of the
    // two, the pane lets go of it.
    showNoPhoto();
    return false;
}

QRect PhotoView::noticeGeometry() const
{
    return QRect(int(editer->width() * 0.5 - 75), int(editer->height() * 0.75), 150, 30);
}

void PhotoView::showWaitLabel(bool show)
{
    if (show) {
        waitLabel->setGeometry(noticeGeometry());
        waitLabel->show();
        waitMovie->start();
        return;
    }
    waitMovie->stop();
    waitLabel->hide();
}

void PhotoView::on_menu_Triggered(QAction* action)
{
    Config::show_mode = action->data().toInt();
    emit sendTitleChange();
}

void PhotoView::slt_moreMenu_Click(QAction* action)
{
    if (action == uprightAction)
        on_BottomButton_AllPhotoForward_clicked();
    else if (action == proAddAction)
        on_pb_proadd_clicked();
}

void PhotoView::setBottomButtonEnable(int state)
{
    const QList<QPushButton*> browse {ui->BottomButton_Pre, ui->BottomButton_Play_Stop, ui->BottomButton_Next,
        ui->BottomButton_ScaleBig, ui->BottomButton_ScaleSmall, ui->BottomButton_RotateAntiClockWise,
        ui->BottomButton_RotateClockWise};
    auto setBrowse = [&](bool enable) {
        for (QPushButton* button : browse)
            button->setEnabled(enable);
    };
    auto setClipButtons = [&](const char* style, const QString& commit, const QString& cancel) {
        ui->BottomButton_CommitClip->setStyleSheet(QLatin1String(style));
        ui->BottomButton_CommitClip->setText(commit);
        // A text replaces the button's shortcut; Return confirms only while a frame is up, so
        // that elsewhere it stays the album panel's key.
        ui->BottomButton_CommitClip->setShortcut(commit.isEmpty() ? QKeySequence() : QKeySequence(Qt::Key_Return));
        ui->BottomButton_CancelClip->setStyleSheet(QLatin1String(style));
        ui->BottomButton_CancelClip->setText(cancel);
    };
    switch (state) {
    case 0:
    case 5:
        setBrowse(false);
        setButtonsEnable(false);
        setClipButtons(kTransparentBorderless, QString(), QString());
        // Saving a turn needs a shown photo.
        if (state == 0)
            ui->rotateSaveBtn->setEnabled(false);
        break;
    case 1:
        setBrowse(true);
        setButtonsEnable(ImageData::getInstance()->getType() == PHOTO_FINE);
        setClipButtons(kTransparent, QString(), QString());
        ui->BottomButton_CommitClip->setFixedSize(40, 23);
        ui->BottomButton_CancelClip->setFixedSize(40, 23);
        ui->rotateSaveBtn->setEnabled(true);
        break;
    case 3:
        setBrowse(false);
        setButtonsEnable(false);
        // The frame is drawn on the picture as it is turned on screen now.
        ui->rotateSaveBtn->setEnabled(false);
        setClipButtons(kPlain, QStringLiteral("确认"), QStringLiteral("取消"));
        break;
    default:
        break;
    }
    if (Config::isLocked) {
        ui->BottomButton_Clip->setEnabled(false);
        ui->BottomButton_Remark->setEnabled(false);
    }
    holdToolsWhileSaving();
}

void PhotoView::restoreBottomButtons()
{
    if (!isShownImage())
        setBottomButtonEnable(0);
    else if (m_editMode == 2)
        setBottomButtonEnable(3);
    else if (m_editMode == 1)
        setBottomButtonEnable(5);
    else
        setBottomButtonEnable(1);
}

bool PhotoView::isShownPhotoSaving() const
{
    return isSavingTurn() && isShownImage() && m_shownPhoto.GetBigImagePath() == m_savingPhoto.GetBigImagePath();
}

void PhotoView::holdToolsWhileSaving()
{
    const bool isSaving = isSavingTurn();
    ui->BottomButton_AllPhotoForward->setEnabled(!isSaving);
    uprightAction->setEnabled(!isSaving);
    if (!isSaving)
        return;
    for (QPushButton* button :
        {ui->BottomButton_RotateClockWise, ui->BottomButton_RotateAntiClockWise, ui->rotateSaveBtn})
        button->setEnabled(false);
    if (isShownPhotoSaving()) {
        ui->BottomButton_Clip->setEnabled(false);
        ui->BottomButton_Remark->setEnabled(false);
    }
}

void PhotoView::endTurnSave()
{
    m_savingPhoto = Image();
    m_isAwaitingSavedPicture = false;
    restoreBottomButtons();
}

void PhotoView::setButtonsEnable(bool enable)
{
    ui->BottomButton_Clip->setEnabled(enable);
    ui->BottomButton_Remark->setEnabled(enable);
    if (Config::isLocked) {
        ui->BottomButton_Clip->setEnabled(false);
        ui->BottomButton_Remark->setEnabled(false);
    }
}

void PhotoView::setLocked()
{
    setButtonsEnable(!Config::isLocked);
}

// ---- Stepping, slide show, zoom ----

void PhotoView::on_BottomButton_Next_clicked()
{
    if (!isShownImage())
        return;
    ImageData::getInstance()->iteratorMoveNext();
    m_stepDirection = 1;
    showImage();
    emit sendCursorMoved();
}

void PhotoView::on_BottomButton_Pre_clicked()
{
    if (!isShownImage())
        return;
    ImageData::getInstance()->iteratorMovePre();
    m_stepDirection = -1;
    showImage();
    emit sendCursorMoved();
}

void PhotoView::on_BottomButton_Play_Stop_clicked()
{
    if (!isShownImage())
        return;
    if (timer.isActive()) {
        stopTimerAcitve();
        return;
    }
    on_BottomButton_Next_clicked();
    ui->BottomButton_Play_Stop->setText(QStringLiteral("停止"));
    playStart = ImageData::getInstance()->getIterator();
    timer.start(Config::play_speed);
}

void PhotoView::onTimer()
{
    const bool isBack = ImageData::getInstance()->iteratorMoveNextToEnd(playStart);
    emit sendCursorMoved();
    if (!isBack) {
        showImage();
        return;
    }
    stopTimerAcitve();
    QLabel* notice = new QLabel(this);
    notice->setFrameStyle(0);
    notice->setGeometry(noticeGeometry());
    notice->setAlignment(Qt::AlignCenter);
    notice->setText(QStringLiteral("已经是最后一张了"));
    notice->setStyleSheet(QStringLiteral("color: white;                              font: bold 12px;                "
                                         "background-color: grey;        border-radius: 10px;"));
    notice->show();
    // The notice stays a second without a local event loop; the label guards the call.
    QTimer::singleShot(1000, notice, [this, notice] {
        notice->hide();
        notice->deleteLater();
        showImage();
    });
}

void PhotoView::stopTimerAcitve()
{
    timer.stop();
    ui->BottomButton_Play_Stop->setText(QStringLiteral("播放"));
}

void PhotoView::on_BottomButton_PlaySpeed_clicked()
{
    if (isShownImage() && timer.isActive())
        stopTimerAcitve();
    PlaySpeedDialog* dialog = new PlaySpeedDialog(nullptr);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void PhotoView::on_BottomButton_ScaleBig_clicked()
{
    if (!isShownImage())
        return;
    if (fullSizeLoaded && !m_shownReduced)
        editer->scaleLarge();
    else
        // The middle picture, or the full-size one decoded only as large as the pane: read the
        // whole photo; zoom in at once when the full-size photo was already shown.
        showWholePicture(fullSizeLoaded);
}

void PhotoView::refitReducedPicture()
{
    // A crop frame or a comparison keeps its picture.
    if (!m_shownReduced || curPath.isEmpty() || m_editMode != 0)
        return;
    const QSize shown = shownImage.size();
    const QSize needed = shown.scaled(editer->size(), Qt::KeepAspectRatio);
    if (shown.width() >= needed.width() && shown.height() >= needed.height())
        return;
    // The pane grew beyond what the picture was decoded for: read it again for the new size
    // (the neighbours too), so it is not shown blurred.
    m_loader->setBox(editer->size());
    readAhead();
}

void PhotoView::showWholePicture(bool zoom)
{
    m_wantedPhoto = ImageData::getInstance()->getCurrentImage();
    curPath = m_wantedPhoto.GetBigImagePath();
    curIsOriginal = true;
    m_smallPath.clear();
    m_zoomWhenWhole = zoom;
    showWaitLabel(true);
    readAhead();
    m_loader->readWhole(curPath);
}

void PhotoView::on_BottomButton_ScaleSmall_clicked()
{
    if (isShownImage())
        editer->scaleSmall();
}

bool PhotoView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editer)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Resize)
        refitReducedPicture();
    if (m_editMode != 0)
        return false;
    if (event->type() == QEvent::MouseButtonDblClick) {
        showFullScreenPhotoView();
        return true;
    }
    if (event->type() == QEvent::Wheel) {
        if (static_cast<QWheelEvent*>(event)->angleDelta().y() > 0)
            on_BottomButton_ScaleBig_clicked();
        else
            on_BottomButton_ScaleSmall_clicked();
        return true;
    }
    return false;
}

void PhotoView::showFullScreenPhotoView()
{
    // Every road that empties the view on show tells the pane, which then shows no photo.
    if (!isShownImage())
        return;
    FullScreenView* view = new FullScreenView(nullptr);
    connect(view, &FullScreenView::updateView, this, &PhotoView::onUpdate);
    connect(view, &FullScreenView::movedToDeleted, this, &PhotoView::sendMovedToDeleted);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->showFullScreen();
}

void PhotoView::onUpdate(QStringList deletedImageNames)
{
    showImage();
    qCDebug(lcViewer) << "发送全屏关闭，被删除的照片为" << deletedImageNames;
    emit sendUpdateMiddleRefresh(deletedImageNames);
    // The full-screen view stepped the cursor: the panel marks where it stopped.
    emit sendCursorMoved();
}

// ---- Crop and remarks ----

void PhotoView::on_BottomButton_Clip_clicked()
{
    if (!isShownImage() || isShownPhotoSaving() || !confirmShownPhoto())
        return;
    showLeftImage();
    // With the workspace as its parent the modal chooser blocks the window: no album can be
    // switched under a frame.
    if (trim.parentWidget() != window())
        trim.setParent(window(), trim.windowFlags());
    trim.setWindowModality(Qt::WindowModal);
    trim.move(ui->imagescroll->width() + 15, int(ui->imagescroll->height() * 0.4));
    trim.show();
}

void PhotoView::onReceiveClipSize(int width, int height, bool isEllipse)
{
    // The frame is drawn on the picture on screen: it is stored for that photo alone, and only
    // while it is the store's current photo (a picture left over from a view that has emptied,
    // or one the cursor has left, is no photo to frame).
    if (!isShownImage() || isShownPhotoSaving() || !confirmShownPhoto())
        return;
    m_framedPhoto = ImageData::getInstance()->getCurrentImage();
    setBottomButtonEnable(3);
    m_editMode = 2;
    ui->familyscroll->hide();
    ui->imagescroll->show();
    if (isEllipse)
        editer->startCircleClip(width, height);
    else
        editer->startClip(width, height);
}

void PhotoView::on_BottomButton_CommitClip_clicked()
{
    if (m_editMode != 2 || !isShownImage()) {
        qCDebug(lcViewer) << "queren";
        return;
    }
    if (!isFramedPhotoCurrent()) {
        qCDebug(lcViewer) << "queren: the framed photo is no longer the current one";
        leaveCropMode();
        return;
    }
    ImageData* images = ImageData::getInstance();
    images->setCurrentClipRect(editer->getClipRectToThousand(), editer->isEllipse());
    const QString name = images->getCurrentImage().GetImageName();
    showLeftImage();
    emit sendClipChanged();
    emit updateProductThumb();
    QThreadPool::globalInstance()->start(new ThumbnailThread(images->getFineImage(name, SELETYPE(0)), this, 88));
}

void PhotoView::on_BottomButton_CancelClip_clicked()
{
    if (m_editMode != 2 || !isShownImage()) {
        qCDebug(lcViewer) << "quxiao";
        return;
    }
    if (!isFramedPhotoCurrent()) {
        qCDebug(lcViewer) << "quxiao: the framed photo is no longer the current one";
        leaveCropMode();
        return;
    }
    ImageData* images = ImageData::getInstance();
    images->setCurrentClipRect(QRect(0, 0, 0, 0), false);
    const QString thumb = DirServer::getClipThumbPath() + images->getCurrentImage().GetImageName();
    if (QFile::exists(thumb))
        QFile::remove(thumb);
    showLeftImage();
    emit sendClipChanged();
    emit updateProductThumb();
}

void PhotoView::on_BottomButton_Remark_clicked()
{
    // The marks are drawn over the picture on screen: the editor opens for that photo, and
    // only while it is the store's current photo, whose requirement text the save writes.
    if (!isShownImage() || isShownPhotoSaving() || !confirmShownPhoto())
        return;
    const QString name = m_shownPhoto.GetImageName();
    addFrontDlg* dialog = new addFrontDlg(nullptr);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->setData(shownImage.copy(), name);
    connect(dialog, &addFrontDlg::sendNeedMessage, this, &PhotoView::receiveNeedMessage);
}

void PhotoView::receiveNeedMessage()
{
    emit sendRemarkChanged();
}

// ---- Rotation ----

void PhotoView::on_BottomButton_RotateClockWise_clicked()
{
    if (!isShownImage() || m_editMode != 0 || isSavingTurn())
        return;
    editer->rotateClockWise();
    lastRotation = 0;
}

void PhotoView::on_BottomButton_RotateAntiClockWise_clicked()
{
    if (!isShownImage() || m_editMode != 0 || isSavingTurn())
        return;
    editer->rotateAntiClockWise();
    lastRotation = 1;
}

void PhotoView::on_rotateSaveBtn_clicked()
{
    // The turn on screen is the shown photo's, saved only while it is the store's current one.
    if (!isShownImage() || m_editMode != 0 || isSavingTurn() || !confirmShownPhoto())
        return;
    m_savingPhoto = m_shownPhoto;
    m_isTurnWritten = false;
    ui->rotateSaveBtn->setText(QStringLiteral("处理中..."));
    holdToolsWhileSaving();
    // The picture widget captures the photo and its index now and saves on a worker.
    editer->updateImageLib(lastRotation, editer->roll_angle());
}

void PhotoView::rotateImgFinishSlot()
{
    // The save goes on until the photo's crop and marks are turned and stored: a second save
    // of the photo meanwhile would turn them from what is about to be replaced.
    if (m_drawnTurn || !isSavingTurn())
        return;
    ui->rotateSaveBtn->setText(QStringLiteral("旋转保存"));
    // Made again only now, so that the thumbnail shows the crop the photo keeps, in the row the
    // photo has now.
    if (std::exchange(m_isTurnWritten, false)) {
        ImageData* images = ImageData::getInstance();
        const QList<Image>& list = images->getImagelist(images->getSeleType());
        for (int row = 0; row < list.size(); ++row)
            if (list.at(row).GetBigImagePath() == m_savingPhoto.GetBigImagePath()) {
                emit sendUpdateRotateImg(row);
                break;
            }
    }
    // Until the saved photo's turned picture is on screen, the one there is turned by the view
    // alone: a turn pressed on it would be lost with the reload, or saved on top of this one.
    // A photo stepped to meanwhile is left as it is, with whatever was started on it.
    if (m_wantedPhoto.GetBigImagePath() == m_savingPhoto.GetBigImagePath()) {
        m_isAwaitingSavedPicture = true;
        showImage();
    } else {
        endTurnSave();
    }
}

void PhotoView::turnDrawnOnPhoto(const SavedTurn& turn)
{
    if (!carriesCropAndMarks(turn.photo.GetPicType()))
        return;
    DrawnTurn* drawn = new DrawnTurn(turn, this);
    m_drawnTurn = drawn;
    // The photo itself is shown anew when the save ends.
    connect(drawn, &DrawnTurn::cropSettled, this,
        [this](const Image& photo) { emit sendClipTurned(photo.GetImageName()); });
    connect(drawn, &DrawnTurn::finished, this, [this] {
        m_drawnTurn = nullptr;
        rotateImgFinishSlot();
    });
    drawn->start();
}

void PhotoView::on_BottomButton_AllPhotoForward_clicked()
{
    // Offered in 成品 only: the job turns whatever album is shown. Not while a saved turn is
    // being written into a photo's files.
    if (ImageData::getInstance()->getType() != PHOTO_FINE || isSavingTurn())
        return;
    uprightCount = 0;
    uprightTotal = ImageData::getInstance()->getImagelist(SELETYPE(0)).size();
    progress->show();
    progress->setValue(uprightTotal, 0);
    if (uprightTotal == 0) {
        progress->hide();
        return;
    }
    QThreadPool::globalInstance()->start(new ThumbnailThread(10, this));
}

void PhotoView::phototoupOneFinishSlot(bool ischange, QPixmap pic)
{
    if (ischange)
        emit sendUpdateThumbIconOneRefresh(uprightCount, pic);
    ++uprightCount;
    progress->setValue(uprightTotal, uprightCount);
    if (uprightCount == uprightTotal) {
        progress->hide();
        showImage();
    }
}

// ---- Adding to a product ----

void PhotoView::on_pb_proadd_clicked()
{
    ImageData* images = ImageData::getInstance();
    if (images->getType() == PHOTO_FINE) {
        const Image photo = images->getCurrentImage();
        if (!photo.GetImageName().isEmpty())
            emit sendProAddImg(QStringList {photo.GetImageName()});
        return;
    }
    Prompt::information(nullptr, QStringLiteral("温馨提示"), QStringLiteral("只能添加成品到产品中"), QMessageBox::Yes,
        QMessageBox::Yes);
}

// ---- Delete key and popups ----

void PhotoView::keyPressEvent(QKeyEvent* event)
{
    qCDebug(lcViewer) << "photoView keyPressEvent";
    const int modifier = Config::shotCutKey[16];
    const int key = Config::shotCutKey[17];
    const bool isDelete
        = modifier != 0 ? (int(event->modifiers()) == modifier && event->key() == key) : event->key() == key;
    if (!isDelete) {
        QWidget::keyPressEvent(event);
        return;
    }
    ImageData* images = ImageData::getInstance();
    if (images->getCurrentIndex() < 0)
        return;
    // The photo is the one shown at the key press, whatever a slide show does meanwhile.
    stopTimerAcitve();
    const Image photo = images->getCurrentImage();
    if (photo.GetPicType() == PHOTO_DESIGN) {
        if (!Config::is_del_design_photo)
            return;
        if (Config::is_del_design_prompt
            && Prompt::question(
                   this, QStringLiteral("提示"), QStringLiteral("确定要删除吗？\n（注意：删除后无法恢复！）"))
                == QMessageBox::No)
            return;
        deleteDesignImage(photo);
        return;
    }
    if (modifier == 0)
        qCDebug(lcViewer) << "deletePhoto:no control and alt";
    if (photoModel == PHOTO_RAW && !Config::isDelOrigin) {
        Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("无权限删除，请和后台管理员联系"),
            QMessageBox::Yes, QMessageBox::Yes);
        return;
    }
    if (Config::isLocked)
        return;
    if (images->getType() == PHOTO_FINE) {
        if (Config::isDelWarn
            && Prompt::question(this, QStringLiteral("提示"), QStringLiteral("确定要将选中的照片移至 汰片 吗？"))
                == QMessageBox::No)
            return;
        if (images->GetSeletedImages().isEmpty())
            return;
        // A photo of a product only gets the refusal.
        if (!photo.getProductId().isEmpty()) {
            showRefusal();
            return;
        }
        deleteFineImage(photo.ownFileName());
    } else if (images->getType() == PHOTO_RAW) {
        deleteOringinalImage();
    }
}

void PhotoView::showDeletePopup(void (PhotoView::*finished)())
{
    if (Config::delete_style.isNull() || Config::delete_style == QLatin1String("0")) {
        MoviceDialog::tip = QStringLiteral("删除成功");
        MoviceDialog* popup = new MoviceDialog(nullptr);
        connect(popup, &MoviceDialog::finishTipDailog, this, finished);
        popup->setGeometry(width() / 2 - 110, height() / 2, popup->width(), popup->height());
        popup->setWindowModality(Qt::ApplicationModal);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        popup->show();
        return;
    }
    TipDialog* popup = showTipOverPicture(QStringLiteral("删除成功"));
    connect(popup, &TipDialog::finishTipDailog, this, finished);
}

TipDialog* PhotoView::showTipOverPicture(const QString& text)
{
    TipDialog::tip = text;
    TipDialog* popup = new TipDialog(this);
    popup->setWindowModality(Qt::ApplicationModal);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFixedSize(ui->imagescroll->width() + 10, ui->imagescroll->height() + 20);
    popup->setStyleSheet(QStringLiteral("background-color: #80000000"));
    popup->show();
    popup->startAnima();
    return popup;
}

void PhotoView::showRefusal()
{
    qCDebug(lcViewer) << "照片已指定制作，无法移至汰片";
    showTipOverPicture(QStringLiteral("照片已指定制作，无法移至汰片"));
}

void PhotoView::showCryLabelNew(QStringList)
{
    // The album panel has moved these photos already; it hears when the popup has closed.
    showDeletePopup(&PhotoView::stopGifNew);
}

void PhotoView::stopGifNew()
{
    emit sendAnimalStopDeleteIMG();
}

void PhotoView::finishTipDailog()
{
}

void PhotoView::deleteFineImage(const QString& fileName)
{
    ImageData* images = ImageData::getInstance();
    const QList<Image>& list = images->getImagelist(images->getSeleType());
    int i = 0;
    while (i < list.size() && list.at(i).ownFileName() != fileName)
        ++i;
    // The move first: a photo that stayed has had its failure box and gets no "删除成功".
    const QStringList moved = images->fineImageToDeleted(QStringList {fileName});
    if (moved.isEmpty())
        return;
    showDeletePopup(&PhotoView::finishTipDailog);
    emit sendMovedToDeleted(moved);
    emit sendDeleteImage(moved);
    placeCursorAfterRemoval(i);
    showImage();
    emit sendCursorMoved();
}

void PhotoView::placeCursorAfterRemoval(int i)
{
    ImageData* images = ImageData::getInstance();
    const SELETYPE sel = images->getSeleType();
    const int size = images->getImagelist(sel).size();
    images->setIterator(i >= size || i < 0 ? 0 : i, sel);
}

void PhotoView::deleteOringinalImage()
{
    if (Prompt::question(nullptr, QString(), QStringLiteral("是否删除照片？\n（注意：删除后无法恢复！）"))
        == QMessageBox::No)
        return;
    ImageData* images = ImageData::getInstance();
    const int i = images->getCurrentIndex();
    // A photo that could not be deleted has had its box and stays where it is.
    // Asked for by the file's own name: of IMG_1.JPG and IMG_1.jpg, the one on screen goes.
    const QStringList names = images->deleteRawImage(QStringList {images->getCurrentImage().ownFileName()});
    if (names.isEmpty())
        return;
    emit sendDeleteImage(names);
    placeCursorAfterRemoval(i);
    showImage();
    emit sendCursorMoved();
}

void PhotoView::deleteDesignImage(const Image& photo)
{
    ImageData* images = ImageData::getInstance();
    const int i = images->getCurrentIndex();
    const QStringList names = images->deleteDesignImage(QStringList {photo.ownFileName()});
    // A picture that could not be moved has had its box; nothing was deleted.
    if (names.isEmpty())
        return;
    MoviceDialog::tip = QStringLiteral("删除完成");
    MoviceDialog* popup = new MoviceDialog(this);
    connect(popup, &MoviceDialog::finishTipDailog, this, &PhotoView::finishTipDailog);
    popup->setGeometry(width() / 2 - 110, height() / 2, popup->width(), popup->height());
    popup->setWindowModality(Qt::ApplicationModal);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->show();
    emit sendDeleteImage(names);
    placeCursorAfterRemoval(i);
    showImage();
    emit sendCursorMoved();
}

// ---- Comparison and room preview ----

void PhotoView::showComparePic()
{
    if (!isShownImage() || m_editMode != 0)
        return;
    m_editMode = 1;
    ui->familyscroll->hide();
    ui->imagescroll->show();
    editer->showCompare(ImageData::getInstance()->getCurrentImage().GetCompareImagePath());
    setBottomButtonEnable(5);
}

void PhotoView::showComparePic(QStringList paths)
{
    if (!isShownImage() || (m_editMode != 0 && m_editMode != 1))
        return;
    m_editMode = 1;
    ui->familyscroll->hide();
    ui->imagescroll->show();
    editer->showCompare(QList<QString>(paths));
    setBottomButtonEnable(5);
}

void PhotoView::showFamilyPic(QString& path)
{
    // Turning, zooming, full screen and comparison wait until a photo is shown again.
    m_editMode = 3;
    ui->familyscroll->show();
    ui->imagescroll->hide();
    familyWidget->showFamilyModelImage(path);
}

void PhotoView::setImageEditerDragIndex(bool isdrag, QString& path)
{
    // The album panel names the full-size photo; its 1000-pixel thumbnail is ample for the
    // preview (the full file only when the thumbnail is not there yet). Read on a worker.
    QString thumbnail;
    for (const Image& photo : ImageData::getInstance()->getImagelist(SELE_ALL)) {
        if (photo.GetBigImagePath() == path) {
            thumbnail = photo.GetImagePath();
            break;
        }
    }
    const int load = ++m_familyPhotoLoad;
    const QString full = path;
    Worker::run(
        this,
        [full, thumbnail] {
            QImage image = thumbnail.isEmpty() ? QImage() : ImageOperation::loadImage(thumbnail);
            if (image.isNull()) {
                image = ImageOperation::loadImageAtLeast(full, 1000);
                if (image.width() > 1000 || image.height() > 1000)
                    image = image.scaled(1000, 1000, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
            return image;
        },
        [this, load, isdrag](QImage image) {
            // A photo that cannot be read changes nothing.
            if (load != m_familyPhotoLoad || image.isNull())
                return;
            familyWidget->setIsDrag(isdrag);
            familyWidget->receivePhoto(image);
        });
}

void PhotoView::slt_photoNumLabVisible(bool visible)
{
    if (!photoNumLabel)
        return;
    if (!visible) {
        photoNumLabel->hide();
        return;
    }
    ImageData* images = ImageData::getInstance();
    photoNumLabel->setText(QString::number(images->getCurrentIndex() + 1) + QLatin1Char('/')
        + QString::number(images->getChengPinImgs()) + QLatin1Char('/') + QString::number(images->getDeletedImgs()));
    photoNumLabel->raise();
    photoNumLabel->show();
}

void PhotoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (photoNumLabel)
        photoNumLabel->setGeometry(event->size().width() - 100, 10, 100, 30);
}
