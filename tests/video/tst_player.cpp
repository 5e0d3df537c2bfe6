#include "video/player.h"

#include <QFile>
#include <QMediaPlaylist>
#include <QTemporaryDir>
#include <QtTest>

class TestPlayer : public QObject
{
    Q_OBJECT
private slots:
    void playlistTakesFilesAndValidAddresses()
    {
        QTemporaryDir dir;
        const QString video = dir.filePath(QStringLiteral("试拍1.mp4"));
        QFile f(video);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        Player player;
        auto* playlist = player.findChild<QMediaPlaylist*>();
        QVERIFY(playlist);
        player.addToPlaylist({video, QStringLiteral("http://example.invalid/v.mp4"), QStringLiteral("http://[broken")});
        QCOMPARE(playlist->mediaCount(), 2);
        QCOMPARE(playlist->media(0).request().url(), QUrl::fromLocalFile(video));
        QCOMPARE(playlist->media(1).request().url(), QUrl(QStringLiteral("http://example.invalid/v.mp4")));
    }
};

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
