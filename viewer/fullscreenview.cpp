#include "viewer/fullscreenview.h"
#include "ui_fullscreenview.h"

#include "core/config.h"
#include "core/prompt.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "viewer/animimageview.h"
#include "viewer/movicedialog.h"
#include "viewer/pictureloader.h"
#include "viewer/picturezoom.h"
#include "viewer/readahead.h"
#include "viewer/tipdialog.h"

#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <utility>

std::atomic<bool>& FullScreenView::isValid = FullScreenState::isOpen;

namespace {

const int LastOneNoticeMs = 3000;
const int ScaleLabelMs = 1000;
const int MusicVolume = 80;

enum PictureSize { Small = 0, Middle = 1, Full = 2 };

const char* const LastOneText = "已经是最后一张了";
const char* const RefusalText = "照片已指定制作，无法移至汰片";

// 1 to 8: the picture widget's effects of the slide show.
int randomEffect()
{
    return QRandomGenerator::global()->bounded(1, 9);
}

bool matchesShortcut(const QKeyEvent* event, int pair)
{
    const int modifier = Config::shotCutKey[2 * pair];
    const int key = Config::shotCutKey[2 * pair + 1];
    if (event->key() != key)
        return false;
    return modifier == 0 || int(event->modifiers()) == modifier;
}

QSize primaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace

FullScreenView::FullScreenView(QWidget* parent)
    : QWidget(parent)
    , m_imageLabel(nullptr)
    , ui(new Ui::FullScreenView)
    , m_timer(new QTimer(this))
    , m_scaleTimer(new QTimer(this))
    , m_scaleLabel(nullptr)
    , m_imageNumLabel(nullptr)
    , m_lastOneLabel(nullptr)
    , isShownOriginalImage(false)
    , m_scaleLevel(0)
    , m_player(nullptr)
    , m_playlist(nullptr)
    , m_volume(MusicVolume)
    , m_isOpen(false)
    , m_counterLabel(nullptr)
    , m_shownSize(-1)
    , m_isBigRequested(false)
    , m_loader(nullptr)
    , m_shownReduced(false)
    , m_isWholeRequested(false)
    , m_zoomWhenWhole(false)
    , m_stepDirection(1)
{
    ui->setupUi(this);
    isValid = true;
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::black);
    setPalette(background);
    setWindowTitle(QString());
    setWindowFlags(Qt::FramelessWindowHint);
    setStyleSheet(QStringLiteral("QWidget#scrollArea,#m_imagelabel {border: 0px} "));

    m_imageLabel = new AnimImageView(ui->scrollArea);
    m_imageLabel->setObjectName(QStringLiteral("m_imagelabel"));
    m_imageLabel->setAlignment(Qt::AlignCenter);
    m_imageLabel->installEventFilter(this);
    ui->scrollArea->setWidget(m_imageLabel);
    ui->scrollArea->setAlignment(Qt::AlignCenter);

    connect(m_imageLabel, &AnimImageView::sendMouseMove, this, &FullScreenView::receiveMouseMove);
    m_loader = new PictureLoader(this);
    connect(m_loader, &PictureLoader::loaded, this, &FullScreenView::onPictureLoaded);
    m_timer->setObjectName(QStringLiteral("slideShowTimer"));
    connect(m_timer, &QTimer::timeout, this, &FullScreenView::onTimer);
    connect(m_scaleTimer, &QTimer::timeout, this, &FullScreenView::timerDone);

    const QSize screen = primaryScreenSize();
    m_scaleLabel = makeLabel("scaleLabel", 18);
    m_imageNumLabel = makeLabel("imageNumLabel", 14);
    m_counterLabel = makeLabel("counterLabel", 14);
    m_counterLabel->setStyleSheet(QStringLiteral("color: ") + Config::photoNumAlertColor);
    m_counterLabel->setGeometry(screen.width() - 150, 10, 150, 30);
    m_counterLabel->setAlignment(Qt::AlignCenter);
    m_lastOneLabel = makeLabel("lastOneLabel", 0);
    m_lastOneLabel->setStyleSheet(QStringLiteral("color: white;                          font: bold 12px;            "
                                                 "background-color: grey;    border-radius: 10px;"));
    m_lastOneLabel->setGeometry(screen.width() / 2 - 75, screen.height() / 2 - 15, 150, 30);
    m_lastOneLabel->setText(QString::fromUtf8(LastOneText));
    m_lastOneLabel->setAlignment(Qt::AlignCenter);

    m_isOpen = true;
    showPhoto();
}

FullScreenView::~FullScreenView()
{
    // A view closed before has cleared the flag already; the flag may belong to a newer view now.
    if (m_isOpen)
        isValid = false;
    m_isOpen = false;
    delete ui;
}

QLabel* FullScreenView::makeLabel(const char* name, int pointSize)
{
    QLabel* label = new QLabel(window());
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(0);
    if (pointSize > 0) {
        QFont font = label->font();
        font.setPointSize(pointSize);
        label->setFont(font);
        QPalette text = label->palette();
        text.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(text);
    }
    label->hide();
    return label;
}

// ---- Loading ----

void FullScreenView::showPhoto()
{
    isShownOriginalImage = false;
    m_isBigRequested = false;
    m_shownSize = -1;
    m_shownReduced = false;
    m_isWholeRequested = false;
    m_zoomWhenWhole = false;
    m_offered = PictureCache::Picture();
    m_finalPath.clear();
    for (QString& path : m_picturePaths)
        path.clear();
    ImageData* store = ImageData::getInstance();
    if (!m_loader || store->getCurrentIndex() < 0)
        return;
    const Image photo = store->getCurrentImage();
    m_currentName = photo.GetImageName();
    m_picturePaths[Small] = photo.GetImagePath();
    m_picturePaths[Middle] = photo.GetMiddleImagePath();
    m_picturePaths[Full] = photo.GetBigImagePath();
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

void FullScreenView::showSmallPhoto()
{
    // Only from the cache: the thumbnail is read with the photo's final picture.
    PictureCache::Picture picture;
    if (m_loader && m_isOpen && m_loader->cached(m_picturePaths[Small], &picture))
        onPictureLoaded(m_picturePaths[Small], picture);
}

void FullScreenView::showBigPhoto()
{
    if (m_isBigRequested || m_picturePaths[Full].isEmpty())
        return;
    m_isBigRequested = true;
    showPicture(m_picturePaths[Full], false);
}

void FullScreenView::showSmallThenBig()
{
    m_isBigRequested = true;
    showPicture(m_picturePaths[Full], true);
}

void FullScreenView::showSmallThenMid()
{
    showPicture(m_picturePaths[Middle], true);
}

QSize FullScreenView::pictureBox() const
{
    // Before the view is shown its label is not laid out yet: it will fill the screen.
    return m_imageLabel->isVisible() ? m_imageLabel->size() : primaryScreenSize();
}

void FullScreenView::showPicture(const QString& path, bool smallFirst)
{
    if (!m_loader || !m_isOpen || path.isEmpty())
        return;
    m_finalPath = path;
    m_loader->setBox(pictureBox());
    PictureCache::Picture picture;
    if (m_loader->cached(path, &picture))
        // Read ahead: no thumbnail first, and nothing to wait for.
        onPictureLoaded(path, picture);
    else if (smallFirst)
        showSmallPhoto();
    readAhead();
}

void FullScreenView::readAhead()
{
    ImageData* store = ImageData::getInstance();
    const QList<Image>& list = store->getImagelist(store->getSeleType());
    m_loader->want(ReadAhead::paths(list, store->getCurrentIndex(), m_stepDirection, Config::show_mode, m_finalPath));
}

void FullScreenView::readWholePicture(bool zoom)
{
    m_zoomWhenWhole = m_zoomWhenWhole || zoom;
    if (!m_loader || m_isWholeRequested || m_picturePaths[Full].isEmpty())
        return;
    m_isWholeRequested = true;
    m_isBigRequested = true;
    m_finalPath = m_picturePaths[Full];
    readAhead();
    m_loader->readWhole(m_finalPath);
}

void FullScreenView::onPictureLoaded(QString path, PictureCache::Picture picture)
{
    if (path.isEmpty() || !m_isOpen)
        return;
    const bool isFull = path == m_picturePaths[Full];
    // The whole picture read for zooming is never replaced by the one fitted to the screen,
    // nor by itself again (that would undo the zoom).
    if (isFull && isShownOriginalImage && !m_shownReduced)
        return;
    m_offered = picture;
    loadFinished(picture.image, path, isFull);
    if (m_zoomWhenWhole && isShownOriginalImage && !m_shownReduced) {
        m_zoomWhenWhole = false;
        zoom(true);
    }
    // Anything else was read ahead and waits in the cache.
}

void FullScreenView::loadFinished(QImage img, QString imgPath, bool isOriginal)
{
    const PictureCache::Picture offered = m_offered;
    m_offered = PictureCache::Picture();
    if (img.isNull() || !m_isOpen)
        return;
    // The whole path: 照片 and 成品 hold photos of the same names.
    int size = -1;
    for (int i = Small; i <= Full; ++i) {
        if (imgPath == m_picturePaths[i])
            size = i;
    }
    // Another photo's picture, or a smaller one arriving after a larger.
    if (size < 0 || size < m_shownSize)
        return;
    m_shownSize = size;
    // The picture fitted on the worker spares the GUI thread scaling a large photo.
    if (offered.image.cacheKey() == img.cacheKey())
        m_imageLabel->offerFitted(offered.image, offered.fitted, offered.box);
    m_imageLabel->showImage(img, m_currentName, randomEffect());
    isShownOriginalImage = isOriginal;
    m_shownReduced = offered.image.cacheKey() == img.cacheKey() && offered.isReduced();
}

// ---- Zoom and counters ----

bool FullScreenView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_imageLabel)
        return QWidget::eventFilter(watched, event);
    const bool isLaidOut = event->type() == QEvent::Resize || event->type() == QEvent::Show;
    if (isLaidOut && m_loader && m_isOpen) {
        // Laid out on screen: the pictures read for another size are read again for this one.
        m_loader->setBox(pictureBox());
        if (!m_finalPath.isEmpty())
            readAhead();
        return false;
    }
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    const bool zoomIn = static_cast<QWheelEvent*>(event)->angleDelta().y() > 0;
    if (!isShownOriginalImage) {
        // The thumbnail or the middle picture: the whole full-size one is asked for instead.
        readWholePicture(false);
        return true;
    }
    if (zoomIn && m_shownReduced) {
        // Decoded only as large as the screen: zoom in once the whole picture is there.
        readWholePicture(true);
        return true;
    }
    zoom(zoomIn);
    return true;
}

void FullScreenView::zoom(bool zoomIn)
{
    if (zoomIn)
        m_imageLabel->scaleLarge();
    else
        m_imageLabel->scaleSmall();
    m_scaleLevel = PictureZoom::stepped(m_scaleLevel, zoomIn);
    showScaleNum(PictureZoom::percent(m_scaleLevel));
}

void FullScreenView::showScaleNum(int percent)
{
    m_scaleLabel->setText(QString::number(percent) + QLatin1Char('%'));
    m_scaleLabel->setGeometry(int(width() * 0.1), int(height() * 0.1), 80, 30);
    m_scaleLabel->raise();
    m_scaleLabel->show();
    m_scaleTimer->start(ScaleLabelMs);
}

void FullScreenView::timerDone()
{
    m_scaleTimer->stop();
    m_scaleLabel->hide();
}

QString FullScreenView::counterText() const
{
    ImageData* store = ImageData::getInstance();
    return QString::number(qMax(0, store->getCurrentIndex() + 1)) + QLatin1Char('/')
        + QString::number(store->getFinalImageNum()) + QLatin1Char('/') + QString::number(store->getDeletedImgs());
}

void FullScreenView::receiveMouseMove(int, int y)
{
    if (y > height() - 50)
        showImageNum();
    else
        m_imageNumLabel->hide();
}

void FullScreenView::showImageNum()
{
    m_imageNumLabel->setText(counterText());
    m_imageNumLabel->setGeometry(int(width() * 0.5), height() - 50, 120, 30);
    m_imageNumLabel->raise();
    m_imageNumLabel->show();
}

// ---- Keys ----

void FullScreenView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Shift)
        return;
    m_counterLabel->setText(counterText());
    m_counterLabel->raise();
    m_counterLabel->show();
}

void FullScreenView::keyReleaseEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        toggleTimer();
        break;
    case Qt::Key_Escape:
        m_isOpen = false;
        isValid = false;
        showMaximized();
        close();
        return;
    case Qt::Key_Shift:
        m_counterLabel->hide();
        break;
    default:
        break;
    }
    // Pairs of Config::shotCutKey: previous, next, first, last, delete.
    if (matchesShortcut(event, 14))
        showPrevious();
    if (matchesShortcut(event, 15))
        showNext();
    if (matchesShortcut(event, 12))
        showFirst();
    if (matchesShortcut(event, 13))
        showLast();
    if (matchesShortcut(event, 8) && !Config::isLocked)
        deleteImage();
}

// ---- Slide show and navigation ----

void FullScreenView::toggleTimer()
{
    if (m_timer->isActive())
        m_timer->stop();
    else
        m_timer->start(Config::play_speed);
}

void FullScreenView::onTimer()
{
    showNextTimer();
}

void FullScreenView::showNextTimer()
{
    m_scaleLevel = 0;
    if (stopsAtTheEnd())
        return;
    showNext();
}

bool FullScreenView::stopsAtTheEnd()
{
    if (!ImageData::getInstance()->isLastOne())
        return false;
    showLastOneLab();
    return !Config::fullscreenshow_repeat;
}

void FullScreenView::showNext()
{
    m_scaleLevel = 0;
    if (stopsAtTheEnd())
        return;
    ImageData::getInstance()->iteratorMoveNext();
    m_stepDirection = 1;
    showPhoto();
}

void FullScreenView::showPrevious()
{
    m_scaleLevel = 0;
    ImageData::getInstance()->iteratorMovePre();
    m_stepDirection = -1;
    showPhoto();
}

void FullScreenView::showFirst()
{
    m_scaleLevel = 0;
    ImageData::getInstance()->iteratorMoveFirst();
    m_stepDirection = 1;
    showPhoto();
}

void FullScreenView::showLast()
{
    m_scaleLevel = 0;
    if (stopsAtTheEnd())
        return;
    ImageData::getInstance()->iteratorMoveEnd();
    m_stepDirection = -1;
    showPhoto();
}

void FullScreenView::showLastOneLab()
{
    m_timer->stop();
    if (!m_lastOneLabel->isHidden())
        return;
    m_lastOneLabel->raise();
    m_lastOneLabel->show();
    // A timer of the view instead of a wait: the view may close and go meanwhile.
    const QPointer<QLabel> label = m_lastOneLabel;
    QTimer::singleShot(LastOneNoticeMs, this, [this, label] {
        if (label && m_isOpen)
            label->hide();
    });
}

// ---- Deleting ----

void FullScreenView::deleteImage()
{
    ImageData* store = ImageData::getInstance();
    if (store->getCurrentIndex() < 0)
        return;
    const Image photo = store->getCurrentImage();
    if (photo.GetPicType() == PHOTO_FINE) {
        m_timer->stop();
        if (!photo.getProductId().isEmpty()) {
            showPopup(QString::fromUtf8(RefusalText));
            return;
        }
        setAside(photo.ownFileName());
        return;
    }
    if (photo.GetPicType() != PHOTO_DESIGN || !Config::is_del_design_photo)
        return;
    m_timer->stop();
    if (Config::is_del_design_prompt) {
        const QPointer<FullScreenView> self(this);
        const QMessageBox::StandardButton answer = Prompt::question(this, QStringLiteral("提示"),
            QStringLiteral("确定要删除吗？\n（注意：删除后无法恢复！）"), QMessageBox::Yes | QMessageBox::No,
            QMessageBox::Yes);
        if (!self || !m_isOpen || answer != QMessageBox::Yes
            || store->getCurrentImage().GetBigImagePath() != photo.GetBigImagePath())
            return;
    }
    const bool wasLast = store->isLastOne();
    // A design picture that could not be moved has had its box; nothing was deleted.
    if (store->deleteDesignImage(QStringList {photo.ownFileName()}).isEmpty())
        return;
    MoviceDialog::tip = QStringLiteral("删除完成");
    MoviceDialog* popup = new MoviceDialog(this);
    popup->setGeometry(width() / 2 - 110, height() / 2, popup->width(), popup->height());
    connect(popup, &MoviceDialog::finishTipDailog, this, &FullScreenView::stopGif);
    popup->setWindowModality(Qt::ApplicationModal);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->show();
    m_popup = popup;
    showAfterRemoval(wasLast);
}

void FullScreenView::showPopup(const QString& text)
{
    QDialog* popup = nullptr;
    if (Config::delete_style.isNull() || Config::delete_style == QLatin1String("0")) {
        MoviceDialog::tip = text;
        MoviceDialog* movice = new MoviceDialog(nullptr);
        connect(movice, &MoviceDialog::finishTipDailog, this, &FullScreenView::stopGif);
        popup = movice;
    } else {
        TipDialog::tip = text;
        TipDialog* tip = new TipDialog(this);
        tip->setFixedSize(width(), height());
        tip->setStyleSheet(QStringLiteral("background-color: #80000000"));
        connect(tip, &TipDialog::finishTipDailog, this, &FullScreenView::stopGif);
        popup = tip;
    }
    popup->setWindowModality(Qt::ApplicationModal);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->show();
    if (TipDialog* tip = qobject_cast<TipDialog*>(popup))
        tip->startAnima();
    m_popup = popup;
}

void FullScreenView::setAside(const QString& fileName)
{
    ImageData* store = ImageData::getInstance();
    const bool wasFirst = store->isFirstOne();
    const bool wasLast = store->isLastOne();
    // The move first: a photo that could not be moved has had its box, gets no "删除成功"
    // and stays on screen.
    const QStringList moved = store->fullScreenViewfineImageToDeleted(QStringList {fileName});
    if (moved.isEmpty())
        return;
    m_deletedNames.append(moved);
    emit movedToDeleted(moved);
    // The store leaves the position one photo before the one that went (the last for the
    // first); the view steps on to the photo that followed once the popup has ended.
    if (wasFirst)
        store->iteratorMoveFirst();
    else if (!wasLast)
        store->iteratorMoveNext();
    m_isStepPending = true;
    m_setAsideWasLast = wasLast;
    showPopup(QStringLiteral("删除成功"));
}

void FullScreenView::stopGif()
{
    m_popup.clear();
    const bool isStepPending = std::exchange(m_isStepPending, false);
    if (!isStepPending || !m_isOpen)
        return;
    // Set aside so that the view lands on the last photo: the end of the album is said.
    showAfterRemoval(m_setAsideWasLast, true);
}

void FullScreenView::showAfterRemoval(bool removedWasLast, bool isNoticeOnLast)
{
    m_scaleLevel = 0;
    ImageData* store = ImageData::getInstance();
    if (removedWasLast)
        store->iteratorMoveEnd();
    if (store->getImagelist(SELE_ALL).isEmpty() || store->getCurrentIndex() < 0) {
        close();
        return;
    }
    showPhoto();
    if (removedWasLast || (isNoticeOnLast && store->isLastOne()))
        showLastOneLab();
}

// ---- Window ----

void FullScreenView::paintEvent(QPaintEvent*)
{
}

void FullScreenView::closeEvent(QCloseEvent* event)
{
    m_isOpen = false;
    isValid = false;
    m_timer->stop();
    // Its pending reads are dropped and nothing answers this view any more.
    delete m_loader;
    m_loader = nullptr;
    // A popup still up belongs to a set-aside already done; only its step on is dropped.
    m_isStepPending = false;
    if (m_popup) {
        disconnect(m_popup.data(), nullptr, this, nullptr);
        m_popup->close();
    }
    const QStringList names = m_deletedNames;
    m_deletedNames.clear();
    emit updateView(names);
    QWidget::closeEvent(event);
}

// ---- Background music ----

void FullScreenView::importSongs()
{
    if (!m_playlist)
        m_playlist = new QMediaPlaylist(this);
    m_playlist->clear();
    const QDir folder(DirServer::getBackgroundMusicPath());
    const QStringList files = folder.entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == QLatin1String("mp3") || suffix == QLatin1String("wav") || suffix == QLatin1String("mid"))
            m_playlist->addMedia(QUrl::fromLocalFile(folder.absoluteFilePath(file)));
    }
    m_playlist->setPlaybackMode(QMediaPlaylist::Loop);
}

void FullScreenView::playSound()
{
    importSongs();
    if (!m_player)
        m_player = new QMediaPlayer(this);
    m_player->setPlaylist(m_playlist);
    m_player->setVolume(m_volume);
    m_player->play();
}

void FullScreenView::stopSound()
{
    if (m_player)
        m_player->stop();
}
