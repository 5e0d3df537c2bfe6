#ifndef PLAYERCONTROLS_H
#define PLAYERCONTROLS_H

#include <QMediaPlayer>
#include <QWidget>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;

// The transport row of the video player: stop, previous, play or pause, next, mute, volume
// and the playback rate. It only mirrors the state it is given and emits requests; the
// player window wires both directions.
class PlayerControls : public QWidget
{
    Q_OBJECT
public:
    explicit PlayerControls(QWidget* parent = nullptr);

    QMediaPlayer::State state() const;
    int volume() const;
    bool isMuted() const;
    qreal playbackRate() const;

public slots:
    void setState(QMediaPlayer::State state);
    void setVolume(int volume);
    void setMuted(bool muted);
    void setPlaybackRate(float rate);

signals:
    void play();
    void pause();
    void stop();
    void next();
    void previous();
    void changeVolume(int volume);
    void changeMuting(bool muting);
    void changeRate(qreal rate);

private slots:
    void playClicked();
    void muteClicked();
    void updateRate();

private:
    QMediaPlayer::State playerState = QMediaPlayer::StoppedState;
    bool playerMuted = false;
    QAbstractButton* playButton;
    QAbstractButton* stopButton;
    QAbstractButton* nextButton;
    QAbstractButton* previousButton;
    QAbstractButton* muteButton;
    QAbstractSlider* volumeSlider;
    QComboBox* rateBox;
};

#endif // PLAYERCONTROLS_H
