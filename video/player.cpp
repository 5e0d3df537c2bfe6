#include "video/player.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

Player::Player(QWidget* parent)
    : QWidget(parent)
    , player(new QMediaPlayer(this))
    , playlist(new QMediaPlaylist(this))
    , videoWidget(new QVideoWidget(this))
    , videoKind(0)
{
    player->setPlaylist(playlist);
    player->setVideoOutput(videoWidget);
    videoWidget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(videoWidget);
}

Player::~Player() = default;

void Player::addToPlaylist(QStringList const& fileNames)
{
    for (const QString& name : fileNames) {
        const QFileInfo file(name);
        if (file.exists()) {
            const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
            if (file.suffix().toLower() == QLatin1String("m3u"))
                playlist->load(url);
            else
                playlist->addMedia(url);
        } else {
            const QUrl url(name);
            if (url.isValid())
                playlist->addMedia(url);
        }
    }
}

void Player::setVideList(QStringList paths, int kind)
{
    videoList = paths;
    videoKind = kind;
}

void Player::play()
{
    player->play();
}
