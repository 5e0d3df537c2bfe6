#ifndef PLAYER_H
#define PLAYER_H

#include <QMediaPlayer>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class PlayerControls;
class PlaylistModel;
class QAbstractItemView;
class QDialog;
class QLabel;
class QMediaPlaylist;
class QModelIndex;
class QPushButton;
class QSlider;
class VideoWidget;

// The window that plays the order's trial-shoot or retouch videos: video area, playlist,
// position slider with the time, transport controls, rate and full screen; the playlist's
// context menu opens the remark window of the video at that row.
//
// Only what the caller adds plays (never the application's command-line arguments). A
// video that cannot be played says so in the window title and in place of the time; the
// window stays usable. Everything runs on the GUI thread; decoding runs inside Qt Multimedia.
class Player : public QWidget
{
    Q_OBJECT
public:
    explicit Player(QWidget* parent = nullptr);
    ~Player() override;

    // Existing files by their absolute path ("*.m3u" files as playlists), anything else
    // when it parses as a valid address with a scheme; other names are skipped.
    void addToPlaylist(QStringList const& fileNames);
    // The videos and their kind (1 trial shoot, 2 retouch) that the remarks refer to.
    void setVideList(QStringList paths, int kind);
    void play();
    void open();

    // "mm:ss / mm:ss", or "hh:mm:ss / hh:mm:ss" from an hour of duration on; empty when
    // both are 0. Seconds.
    static QString timeText(qint64 current, qint64 duration);
    // The file name (extension in lower case) of the video at a playlist row, the name its
    // remark is kept under; empty for a row that is not in the playlist.
    QString remarkName(int row) const;

private slots:
    void durationChanged(qint64 duration);
    void positionChanged(qint64 progress);
    void metaDataChanged();
    void previousClicked();
    void seek(int seconds);
    void jump(QModelIndex const& index);
    void playlistPositionChanged(int currentItem);
    void statusChanged(QMediaPlayer::MediaStatus status);
    void bufferingProgress(int progress);
    void videoAvailableChanged(bool available);
    void displayErrorMessage();
    void setStartOrPaus();
    void show_contextmenu1(QPoint const& pos);
    void edit_menu1();
    void showColorDialog();

private:
    void setTrackInfo(const QString& info);
    void setStatusInfo(const QString& info);
    void updateDurationInfo(qint64 currentInfo);
    void showUnplayable();
    QString unplayableText() const;

    QMediaPlayer* m_player;
    QMediaPlaylist* m_playlist;
    VideoWidget* m_videoWidget;
    PlaylistModel* m_playlistModel;
    QAbstractItemView* m_playlistView;
    QSlider* m_slider;
    QLabel* m_labelDuration;
    PlayerControls* m_controls;
    QPushButton* m_fullScreenButton;
    QPushButton* m_colorButton;
    QDialog* m_colorDialog = nullptr;
    QString m_trackInfo;
    QString m_statusInfo;
    // What stands in place of the time while the current video cannot be played.
    QString m_unplayableText;
    QUrl m_currentUrl;
    qint64 m_duration = 0;
    QStringList m_videoList;
    int m_videoKind = 0;
};

#endif // PLAYER_H
