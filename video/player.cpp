#include "video/player.h"

#include "core/prompt.h"
#include "photostore/fileoperation.h"
#include "video/playercontrols.h"
#include "video/playlistmodel.h"
#include "video/videoremark.h"
#include "video/videowidget.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QListView>
#include <QMediaMetaData>
#include <QMediaPlaylist>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTime>
#include <QUrl>

Player::Player(QWidget* parent)
    : QWidget(parent)
    , m_player(new QMediaPlayer(this))
    , m_playlist(new QMediaPlaylist(this))
{
    m_player->setPlaylist(m_playlist);
    connect(m_player, &QMediaPlayer::durationChanged, this, &Player::durationChanged);
    connect(m_player, &QMediaPlayer::positionChanged, this, &Player::positionChanged);
    connect(m_player, QOverload<>::of(&QMediaObject::metaDataChanged), this, &Player::metaDataChanged);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &Player::statusChanged);
    connect(m_player, &QMediaPlayer::bufferStatusChanged, this, &Player::bufferingProgress);
    connect(m_player, &QMediaPlayer::videoAvailableChanged, this, &Player::videoAvailableChanged);
    connect(m_player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this, &Player::displayErrorMessage);
    connect(m_playlist, &QMediaPlaylist::currentIndexChanged, this, &Player::playlistPositionChanged);
    // After an error the player leaves the media it failed on; the message still names it.
    connect(m_player, &QMediaPlayer::currentMediaChanged, this, [this](const QMediaContent& media) {
        if (!media.isNull())
            m_currentUrl = media.request().url();
    });

    m_videoWidget = new VideoWidget(this);
    m_player->setVideoOutput(m_videoWidget);

    m_playlistModel = new PlaylistModel(this);
    m_playlistModel->setPlaylist(m_playlist);
    m_playlistView = new QListView(this);
    m_playlistView->setModel(m_playlistModel);
    m_playlistView->setCurrentIndex(m_playlistModel->index(m_playlist->currentIndex(), 0));
    connect(m_playlistView, &QAbstractItemView::activated, this, &Player::jump);
    m_playlistView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_playlistView, &QWidget::customContextMenuRequested, this, &Player::show_contextmenu1);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("positionSlider"));
    m_slider->setRange(0, int(m_player->duration() / 1000));
    connect(m_slider, &QSlider::sliderMoved, this, &Player::seek);
    m_labelDuration = new QLabel(this);
    m_labelDuration->setObjectName(QStringLiteral("labelDuration"));

    m_controls = new PlayerControls(this);
    m_controls->setState(m_player->state());
    m_controls->setVolume(m_player->volume());
    connect(m_controls, &PlayerControls::play, m_player, &QMediaPlayer::play);
    connect(m_controls, &PlayerControls::pause, m_player, &QMediaPlayer::pause);
    connect(m_controls, &PlayerControls::stop, m_player, &QMediaPlayer::stop);
    connect(m_controls, &PlayerControls::next, m_playlist, &QMediaPlaylist::next);
    connect(m_controls, &PlayerControls::previous, this, &Player::previousClicked);
    connect(m_controls, &PlayerControls::changeVolume, m_player, &QMediaPlayer::setVolume);
    connect(m_controls, &PlayerControls::changeMuting, m_player, &QMediaPlayer::setMuted);
    connect(m_controls, &PlayerControls::changeRate, m_player, &QMediaPlayer::setPlaybackRate);
    connect(m_controls, &PlayerControls::stop, m_videoWidget, QOverload<>::of(&QWidget::update));
    connect(m_player, &QMediaPlayer::stateChanged, m_controls, &PlayerControls::setState);
    connect(m_player, &QMediaPlayer::volumeChanged, m_controls, &PlayerControls::setVolume);
    connect(m_player, &QMediaPlayer::mutedChanged, m_controls, &PlayerControls::setMuted);
    connect(m_videoWidget, &VideoWidget::setStartOrPaus, this, &Player::setStartOrPaus);

    m_fullScreenButton = new QPushButton(QStringLiteral("全屏"), this);
    m_fullScreenButton->setCheckable(true);
    m_colorButton = new QPushButton(QStringLiteral("Color Options..."), this);
    m_colorButton->setEnabled(false);
    m_colorButton->hide();
    connect(m_colorButton, &QPushButton::clicked, this, &Player::showColorDialog);

    QBoxLayout* displayLayout = new QHBoxLayout;
    displayLayout->addWidget(m_videoWidget, 2);
    displayLayout->addWidget(m_playlistView);

    QBoxLayout* sliderLayout = new QHBoxLayout;
    sliderLayout->addWidget(m_slider);
    sliderLayout->addWidget(m_labelDuration);

    QBoxLayout* controlLayout = new QHBoxLayout;
    controlLayout->setContentsMargins(0, 0, 0, 0);
    controlLayout->addStretch(1);
    controlLayout->addWidget(m_controls);
    controlLayout->addStretch(1);
    controlLayout->addWidget(m_fullScreenButton);
    controlLayout->addWidget(m_colorButton);

    QBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(displayLayout);
    layout->addLayout(sliderLayout);
    layout->addLayout(controlLayout);

    if (!m_player->isAvailable()) {
        Prompt::warning(this, QStringLiteral("Service not available"),
            QStringLiteral("The QMediaPlayer object does not have a valid service.\n"
                           "Please check the media service plugins are installed."));
        m_controls->setEnabled(false);
        m_playlistView->setEnabled(false);
        m_colorButton->setEnabled(false);
        m_fullScreenButton->setEnabled(false);
    }

    metaDataChanged();
    // The application's own command-line arguments are no videos of the order: a remark
    // would be saved against the wrong name.
}

Player::~Player() = default;

void Player::addToPlaylist(QStringList const& fileNames)
{
    for (const QString& name : fileNames) {
        const QFileInfo file(name);
        if (file.exists()) {
            // A file URL, never the path read as URL text: "#", "?" and "%" are file-name
            // characters here.
            const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
            if (file.suffix().toLower() == QLatin1String("m3u"))
                m_playlist->load(url);
            else
                m_playlist->addMedia(url);
        } else {
            // A path without a scheme that names no file is a missing video, not an address.
            const QUrl url(name);
            if (url.isValid() && !url.scheme().isEmpty())
                m_playlist->addMedia(url);
        }
    }
}

void Player::setVideList(QStringList paths, int kind)
{
    m_videoList = paths;
    m_videoKind = kind;
}

void Player::play()
{
    m_player->play();
}

void Player::open()
{
    const QStringList fileNames = Prompt::getOpenFileNames(this, QStringLiteral("Open Files"));
    addToPlaylist(fileNames);
}

QString Player::timeText(qint64 current, qint64 duration)
{
    if (current == 0 && duration == 0)
        return QString();
    const auto clock = [](qint64 s) { return QTime(int((s / 3600) % 60), int((s / 60) % 60), int(s % 60)); };
    // From one hour on, "mm:ss" would drop the hours: 3600 s would read 00:00.
    const QString format = duration >= 3600 ? QStringLiteral("hh:mm:ss") : QStringLiteral("mm:ss");
    return clock(current).toString(format) + QStringLiteral(" / ") + clock(duration).toString(format);
}

QString Player::remarkName(int row) const
{
    // The playlist, not the list the window was given, says which video a row shows: an
    // ".m3u" expands into several rows and a name that is no video is skipped.
    if (row < 0 || row >= m_playlist->mediaCount())
        return QString();
    const QUrl url = m_playlist->media(row).request().url();
    const QString path = url.isLocalFile() ? url.toLocalFile() : url.path();
    return FileOperation::getFileName(path);
}

void Player::durationChanged(qint64 duration)
{
    m_duration = duration / 1000;
    m_slider->setMaximum(int(m_duration));
}

void Player::positionChanged(qint64 progress)
{
    if (!m_slider->isSliderDown())
        m_slider->setValue(int(progress / 1000));
    updateDurationInfo(progress / 1000);
}

void Player::metaDataChanged()
{
    if (m_player->isMetaDataAvailable()) {
        setTrackInfo(QStringLiteral("%1 - %2").arg(m_player->metaData(QMediaMetaData::AlbumArtist).toString(),
            m_player->metaData(QMediaMetaData::Title).toString()));
    }
}

void Player::previousClicked()
{
    if (m_player->position() <= 5000)
        m_playlist->previous();
    else
        m_player->setPosition(0);
}

void Player::seek(int seconds)
{
    m_player->setPosition(qint64(seconds) * 1000);
}

void Player::jump(QModelIndex const& index)
{
    if (index.isValid()) {
        m_playlist->setCurrentIndex(index.row());
        m_player->play();
    }
}

void Player::playlistPositionChanged(int currentItem)
{
    m_playlistView->setCurrentIndex(m_playlistModel->index(currentItem, 0));
}

void Player::statusChanged(QMediaPlayer::MediaStatus status)
{
    // A video being loaded or played replaces the message about the one that failed; after
    // the failure the player drops to no media, which keeps it.
    if (status != QMediaPlayer::InvalidMedia && status != QMediaPlayer::NoMedia
        && status != QMediaPlayer::UnknownMediaStatus && !m_unplayableText.isEmpty()) {
        m_unplayableText.clear();
        updateDurationInfo(m_player->position() / 1000);
    }
    switch (status) {
    case QMediaPlayer::UnknownMediaStatus:
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
        unsetCursor();
        setStatusInfo(m_unplayableText);
        break;
    case QMediaPlayer::LoadingMedia:
        setCursor(QCursor(Qt::BusyCursor));
        setStatusInfo(QStringLiteral("Loading..."));
        break;
    case QMediaPlayer::BufferingMedia:
        setCursor(QCursor(Qt::BusyCursor));
        setStatusInfo(QString());
        break;
    case QMediaPlayer::StalledMedia:
        setCursor(QCursor(Qt::BusyCursor));
        setStatusInfo(QStringLiteral("Media Stalled"));
        break;
    case QMediaPlayer::EndOfMedia:
        unsetCursor();
        QApplication::alert(this);
        break;
    case QMediaPlayer::InvalidMedia:
        unsetCursor();
        showUnplayable();
        break;
    }
}

void Player::bufferingProgress(int progress)
{
    setStatusInfo(QStringLiteral("Buffering %4%").arg(progress));
}

void Player::videoAvailableChanged(bool available)
{
    if (!available) {
        disconnect(m_fullScreenButton, &QPushButton::clicked, m_videoWidget, &QVideoWidget::setFullScreen);
        disconnect(m_videoWidget, &QVideoWidget::fullScreenChanged, m_fullScreenButton, &QPushButton::setChecked);
        m_videoWidget->setFullScreen(false);
    } else {
        connect(m_fullScreenButton, &QPushButton::clicked, m_videoWidget, &QVideoWidget::setFullScreen,
            Qt::UniqueConnection);
        connect(m_videoWidget, &QVideoWidget::fullScreenChanged, m_fullScreenButton, &QPushButton::setChecked,
            Qt::UniqueConnection);
        if (m_fullScreenButton->isChecked())
            m_videoWidget->setFullScreen(true);
    }
    m_colorButton->setEnabled(available);
}

void Player::displayErrorMessage()
{
    showUnplayable();
}

void Player::setStartOrPaus()
{
    if (m_player->state() == QMediaPlayer::PlayingState)
        m_player->pause();
    else if (m_player->state() == QMediaPlayer::PausedState)
        m_player->play();
}

void Player::show_contextmenu1(QPoint const& pos)
{
    Q_UNUSED(pos)
    if (!m_playlistView->selectionModel()->hasSelection())
        return;
    QMenu menu(m_playlistView);
    QAction* remark = menu.addAction(QStringLiteral("备注"));
    connect(remark, &QAction::triggered, this, &Player::edit_menu1);
    menu.exec(QCursor::pos());
    m_playlistView->selectionModel()->clearSelection();
}

void Player::edit_menu1()
{
    if (!m_playlistView->selectionModel()->hasSelection())
        return;
    const QString videoName = remarkName(m_playlistView->currentIndex().row());
    if (videoName.isEmpty())
        return;
    VideoRemark* remark = new VideoRemark(nullptr);
    remark->setAttribute(Qt::WA_DeleteOnClose);
    remark->setData(videoName, m_videoKind);
    remark->show();
}

void Player::showColorDialog()
{
    if (!m_colorDialog) {
        m_colorDialog = new QDialog(this);
        m_colorDialog->setWindowTitle(QStringLiteral("Color Options"));
        QFormLayout* layout = new QFormLayout;
        const auto addSlider = [this, layout](const QString& label, int value, void (QVideoWidget::*set)(int),
                                   void (QVideoWidget::*changed)(int)) {
            QSlider* slider = new QSlider(Qt::Horizontal, m_colorDialog);
            slider->setRange(-100, 100);
            slider->setValue(value);
            connect(slider, &QSlider::sliderMoved, m_videoWidget, set);
            connect(m_videoWidget, changed, slider, &QSlider::setValue);
            layout->addRow(label, slider);
        };
        addSlider(QStringLiteral("Brightness"), m_videoWidget->brightness(), &QVideoWidget::setBrightness,
            &QVideoWidget::brightnessChanged);
        addSlider(QStringLiteral("Contrast"), m_videoWidget->contrast(), &QVideoWidget::setContrast,
            &QVideoWidget::contrastChanged);
        addSlider(QStringLiteral("Hue"), m_videoWidget->hue(), &QVideoWidget::setHue, &QVideoWidget::hueChanged);
        addSlider(QStringLiteral("Saturation"), m_videoWidget->saturation(), &QVideoWidget::setSaturation,
            &QVideoWidget::saturationChanged);
        QPushButton* button = new QPushButton(QStringLiteral("Close"), m_colorDialog);
        layout->addRow(button);
        connect(button, &QPushButton::clicked, m_colorDialog, &QDialog::close);
        m_colorDialog->setLayout(layout);
    }
    m_colorDialog->show();
}

void Player::setTrackInfo(const QString& info)
{
    m_trackInfo = info;
    if (!m_statusInfo.isEmpty())
        setWindowTitle(QStringLiteral("%1 | %2").arg(m_trackInfo, m_statusInfo));
    else
        setWindowTitle(m_trackInfo);
}

void Player::setStatusInfo(const QString& info)
{
    m_statusInfo = info;
    setTrackInfo(m_trackInfo);
}

void Player::updateDurationInfo(qint64 currentInfo)
{
    m_labelDuration->setText(m_unplayableText.isEmpty() ? timeText(currentInfo, m_duration) : m_unplayableText);
}

void Player::showUnplayable()
{
    m_unplayableText = unplayableText();
    setStatusInfo(m_unplayableText);
    updateDurationInfo(0);
}

QString Player::unplayableText() const
{
    const QUrl url = m_currentUrl;
    const QString name = QFileInfo(url.isLocalFile() ? url.toLocalFile() : url.path()).fileName();
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return QStringLiteral("无法播放视频 %1：文件不存在").arg(name);
    const QString reason = m_player->errorString();
    if (reason.isEmpty())
        return QStringLiteral("无法播放视频 %1：文件无法解码").arg(name);
    return QStringLiteral("无法播放视频 %1：%2").arg(name, reason);
}
