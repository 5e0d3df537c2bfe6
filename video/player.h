#ifndef PLAYER_H
#define PLAYER_H

#include <QStringList>
#include <QWidget>

class QMediaPlayer;
class QMediaPlaylist;
class QVideoWidget;

// The window that plays the order's trial-shoot or retouch videos.
//
// So far it holds the player, its playlist and the video area; the controls, the playlist
// view and the video remarks come with the video player's own work.
class Player : public QWidget
{
    Q_OBJECT
public:
    explicit Player(QWidget* parent = nullptr);
    ~Player() override;

    // Existing files by their absolute path ("*.m3u" files as playlists), anything else
    // when it parses as a valid address.
    void addToPlaylist(QStringList const& fileNames);
    // The videos and their kind (1 trial shoot, 2 retouch) that the remarks refer to.
    void setVideList(QStringList paths, int kind);
    void play();

private:
    QMediaPlayer* player;
    QMediaPlaylist* playlist;
    QVideoWidget* videoWidget;
    QStringList videoList;
    int videoKind;
};

#endif // PLAYER_H
