#include "standin/demodata.h"
#include "video/player.h"
#include "video/playercontrols.h"
#include "video/videowidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

// Real playback of short generated videos (Theora and Vorbis) through GStreamer.
class TestPlayback : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString shortVideo; // 3 s
    QString longVideo;  // 7 s
    std::unique_ptr<Player> player;

    QMediaPlayer* media() const { return player->findChild<QMediaPlayer*>(); }
    QMediaPlaylist* playlist() const { return player->findChild<QMediaPlaylist*>(); }
    QString timeLabel() const { return player->findChild<QLabel*>(QStringLiteral("labelDuration"))->text(); }

    bool startPlaying(const QStringList& paths)
    {
        player = std::make_unique<Player>();
        player->addToPlaylist(paths);
        player->setVideList(paths, 1);
        player->resize(800, 500);
        player->show();
        player->play();
        return QTest::qWaitFor(
            [this] { return media()->state() == QMediaPlayer::PlayingState && media()->duration() > 0; }, 30000);
    }

private slots:
    void initTestCase()
    {
        shortVideo = dir.filePath(QStringLiteral("试拍 #1.mp4"));
        longVideo = dir.filePath(QStringLiteral("精修%20长.mp4"));
        QString error;
        if (!DemoData::writeVideo(shortVideo, 3, &error) || !DemoData::writeVideo(longVideo, 7, &error))
            QSKIP(qPrintable(QStringLiteral("no test video: ") + error));
    }

    void cleanup() { player.reset(); }

    void playsAndListsTheVideo()
    {
        QVERIFY(startPlaying({shortVideo}));
        const auto* view = player->findChild<QListView*>();
        QCOMPARE(view->model()->rowCount(), 1);
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("试拍 #1.mp4"));
        QCOMPARE(view->currentIndex().row(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(timeLabel().endsWith(QStringLiteral(" / 00:03")), 30000);
        QVERIFY(!player->windowTitle().contains(QStringLiteral("无法播放")));
        QCOMPARE(player->findChild<QSlider*>(QStringLiteral("positionSlider"))->maximum(), 3);
        // The end passes quickly: the playlist then moves past its last video.
        QSignalSpy statuses(media(), &QMediaPlayer::mediaStatusChanged);
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(statuses.cbegin(), statuses.cend(),
                                     [](const QList<QVariant>& args) {
                                         return args.first().value<QMediaPlayer::MediaStatus>()
                                             == QMediaPlayer::EndOfMedia;
                                     }),
            30000);
    }

    void rateBoxSetsThePlayersRate()
    {
        QVERIFY(startPlaying({shortVideo}));
        auto* box = player->findChild<QComboBox*>(QStringLiteral("rateBox"));
        box->setCurrentIndex(2);
        emit box->activated(2);
        QCOMPARE(media()->playbackRate(), 2.0);
    }

    void sliderSeeks()
    {
        QVERIFY(startPlaying({longVideo}));
        auto* slider = player->findChild<QSlider*>(QStringLiteral("positionSlider"));
        QTRY_VERIFY_WITH_TIMEOUT(media()->isSeekable(), 30000);
        emit slider->sliderMoved(4);
        QTRY_VERIFY_WITH_TIMEOUT(media()->position() >= 4000, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(timeLabel().startsWith(QStringLiteral("00:0")), 30000);
    }

    void previousRestartsOrGoesBack_data()
    {
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("row");
        QTest::newRow("early: previous video") << 1 << 0;
        QTest::newRow("late: restart") << 6 << 1;
    }

    void previousRestartsOrGoesBack()
    {
        QFETCH(int, second);
        QFETCH(int, row);
        QVERIFY(startPlaying({shortVideo, longVideo}));
        playlist()->setCurrentIndex(1);
        media()->play();
        QTRY_VERIFY_WITH_TIMEOUT(
            media()->state() == QMediaPlayer::PlayingState && media()->isSeekable() && media()->duration() > 5000,
            30000);
        media()->pause();
        media()->setPosition(second * 1000);
        QTRY_VERIFY_WITH_TIMEOUT(media()->position() >= second * 1000 - 100, 30000);
        player->findChild<QAbstractButton*>(QStringLiteral("previousButton"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(playlist()->currentIndex(), row, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(media()->position() < 1000, 30000);
        QCOMPARE(player->findChild<QListView*>()->currentIndex().row(), row);
    }

    void spaceTogglesPlayAndPause()
    {
        QVERIFY(startPlaying({longVideo}));
        auto* video = player->findChild<VideoWidget*>();
        QTest::keyClick(video, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(media()->state(), QMediaPlayer::PausedState, 30000);
        QCOMPARE(player->findChild<PlayerControls*>()->state(), QMediaPlayer::PausedState);
        QTest::keyClick(video, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(media()->state(), QMediaPlayer::PlayingState, 30000);
        media()->stop();
        QTRY_COMPARE_WITH_TIMEOUT(media()->state(), QMediaPlayer::StoppedState, 30000);
        QTest::keyClick(video, Qt::Key_Space);
        QTest::qWait(200);
        QCOMPARE(media()->state(), QMediaPlayer::StoppedState);
    }

    void unplayableVideoSaysSo_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // empty: the file is gone by the time it plays
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QStringLiteral("试拍#9.mp4") << QByteArray()
                                      << QStringLiteral("无法播放视频 试拍#9.mp4：文件不存在");
        QTest::newRow("no decoder") << QStringLiteral("坏的.mp4") << QByteArray(4096, 'x')
                                    << QStringLiteral("无法播放视频 坏的.mp4：");
    }

    void unplayableVideoSaysSo()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = dir.filePath(name);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content.isEmpty() ? QByteArray("placeholder") : content);
        f.close();

        player = std::make_unique<Player>();
        player->addToPlaylist({path});
        player->show();
        if (content.isEmpty())
            QFile::remove(path);
        player->play();
        QTRY_VERIFY2_WITH_TIMEOUT(player->windowTitle().contains(message), qPrintable(player->windowTitle()), 30000);
        QVERIFY(timeLabel().startsWith(message));
        QTRY_COMPARE_WITH_TIMEOUT(media()->state(), QMediaPlayer::StoppedState, 30000);
        QCOMPARE(player->cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
