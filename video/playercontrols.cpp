#include "video/playercontrols.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

PlayerControls::PlayerControls(QWidget* parent)
    : QWidget(parent)
    , playButton(new QToolButton(this))
    , stopButton(new QToolButton(this))
    , nextButton(new QToolButton(this))
    , previousButton(new QToolButton(this))
    , muteButton(new QToolButton(this))
    , volumeSlider(new QSlider(Qt::Horizontal, this))
    , rateBox(new QComboBox(this))
{
    playButton->setObjectName(QStringLiteral("playButton"));
    stopButton->setObjectName(QStringLiteral("stopButton"));
    nextButton->setObjectName(QStringLiteral("nextButton"));
    previousButton->setObjectName(QStringLiteral("previousButton"));
    muteButton->setObjectName(QStringLiteral("muteButton"));
    rateBox->setObjectName(QStringLiteral("rateBox"));

    playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    connect(playButton, &QAbstractButton::clicked, this, &PlayerControls::playClicked);

    stopButton->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    stopButton->setEnabled(false);
    connect(stopButton, &QAbstractButton::clicked, this, &PlayerControls::stop);

    nextButton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    connect(nextButton, &QAbstractButton::clicked, this, &PlayerControls::next);

    previousButton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    connect(previousButton, &QAbstractButton::clicked, this, &PlayerControls::previous);

    muteButton->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    connect(muteButton, &QAbstractButton::clicked, this, &PlayerControls::muteClicked);

    volumeSlider->setRange(0, 100);
    connect(volumeSlider, &QSlider::sliderMoved, this, &PlayerControls::changeVolume);

    rateBox->addItem(QStringLiteral("0.5x"), QVariant(0.5));
    rateBox->addItem(QStringLiteral("1.0x"), QVariant(1.0));
    rateBox->addItem(QStringLiteral("2.0x"), QVariant(2.0));
    rateBox->setCurrentIndex(1);
    connect(rateBox, QOverload<int>::of(&QComboBox::activated), this, &PlayerControls::updateRate);

    QBoxLayout* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stopButton);
    layout->addWidget(previousButton);
    layout->addWidget(playButton);
    layout->addWidget(nextButton);
    layout->addWidget(muteButton);
    layout->addWidget(volumeSlider);
    layout->addWidget(rateBox);
}

QMediaPlayer::State PlayerControls::state() const
{
    return playerState;
}

void PlayerControls::setState(QMediaPlayer::State state)
{
    if (state == playerState)
        return;
    playerState = state;
    switch (state) {
    case QMediaPlayer::StoppedState:
        stopButton->setEnabled(false);
        playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
        break;
    case QMediaPlayer::PlayingState:
        stopButton->setEnabled(true);
        playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
        break;
    case QMediaPlayer::PausedState:
        stopButton->setEnabled(true);
        playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
        break;
    }
}

int PlayerControls::volume() const
{
    return volumeSlider->value();
}

void PlayerControls::setVolume(int volume)
{
    volumeSlider->setValue(volume);
}

bool PlayerControls::isMuted() const
{
    return playerMuted;
}

void PlayerControls::setMuted(bool muted)
{
    if (muted == playerMuted)
        return;
    playerMuted = muted;
    muteButton->setIcon(style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
}

void PlayerControls::playClicked()
{
    switch (playerState) {
    case QMediaPlayer::StoppedState:
    case QMediaPlayer::PausedState:
        emit play();
        break;
    case QMediaPlayer::PlayingState:
        emit pause();
        break;
    }
}

void PlayerControls::muteClicked()
{
    emit changeMuting(!playerMuted);
}

qreal PlayerControls::playbackRate() const
{
    return rateBox->itemData(rateBox->currentIndex()).toDouble();
}

void PlayerControls::setPlaybackRate(float rate)
{
    for (int i = 0; i < rateBox->count(); ++i) {
        if (qFuzzyCompare(rate, float(rateBox->itemData(i).toDouble()))) {
            rateBox->setCurrentIndex(i);
            return;
        }
    }
    rateBox->addItem(QStringLiteral("%1x").arg(rate), QVariant(rate));
    rateBox->setCurrentIndex(rateBox->count() - 1);
}

void PlayerControls::updateRate()
{
    emit changeRate(playbackRate());
}
