#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "video/player.h"
#include "video/playercontrols.h"
#include "video/playlistmodel.h"
#include "video/videoremark.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QListView>
#include <QMediaPlaylist>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The path of a file made empty in dir.
QString touch(const QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    return path;
}

QList<VideoRemark*> remarkWindows()
{
    return topLevelWindows<VideoRemark>();
}

// An existing file that the test's own command line names, as a user starting the client
// with arguments would.
QString g_argumentFile;

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestBackend> backend;

private slots:
    void initTestCase()
    {
        backend = std::make_unique<TestBackend>();
        QVERIFY(backend->isReady());
    }

    void init() { backend->reset(); }

    void cleanup() { qDeleteAll(remarkWindows()); }

    void playlistTakesFilesAndValidAddresses()
    {
        QTemporaryDir dir;
        const QString video = touch(dir, QStringLiteral("试拍1.mp4"));

        Player player;
        auto* playlist = player.findChild<QMediaPlaylist*>();
        QVERIFY(playlist);
        player.addToPlaylist({video, QStringLiteral("http://example.invalid/v.mp4"), QStringLiteral("http://[broken"),
            dir.filePath(QStringLiteral("missing.mp4"))});
        QCOMPARE(playlist->mediaCount(), 2);
        QCOMPARE(playlist->media(0).request().url(), QUrl::fromLocalFile(video));
        QCOMPARE(playlist->media(1).request().url(), QUrl(QStringLiteral("http://example.invalid/v.mp4")));
    }

    void fileNamesStayFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("hash") << QStringLiteral("试拍#2.mp4");
        QTest::newRow("question mark") << QStringLiteral("clip?take=1.mp4");
        QTest::newRow("percent") << QStringLiteral("100%20done.mp4");
        QTest::newRow("spaces and chinese") << QStringLiteral("婚纱 外景 精修.MP4");
    }

    // The playlist plays and lists the very file, whatever its name holds.
    void fileNamesStayFileNames()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString video = touch(dir, name);

        Player player;
        player.addToPlaylist({video});
        auto* playlist = player.findChild<QMediaPlaylist*>();
        QCOMPARE(playlist->mediaCount(), 1);
        QCOMPARE(playlist->media(0).request().url().toLocalFile(), video);
        const auto* view = player.findChild<QListView*>();
        QCOMPARE(view->model()->index(0, 0).data().toString(), name);
    }

    void upperCaseM3uIsLoadedAsPlaylist()
    {
        QTemporaryDir dir;
        const QString a = touch(dir, QStringLiteral("a.mp4"));
        const QString b = touch(dir, QStringLiteral("b.mp4"));
        QFile list(dir.filePath(QStringLiteral("clip.M3U")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QUrl::fromLocalFile(a).toEncoded() + "\n" + QUrl::fromLocalFile(b).toEncoded() + "\n");
        list.close();

        Player player;
        auto* playlist = player.findChild<QMediaPlaylist*>();
        QSignalSpy loaded(playlist, &QMediaPlaylist::loaded);
        player.addToPlaylist({list.fileName()});
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 30000);
        QCOMPARE(playlist->mediaCount(), 2);
        QCOMPARE(playlist->media(1).request().url(), QUrl::fromLocalFile(b));
    }

    void commandLineArgumentsAreNotPlayed()
    {
        QVERIFY(QCoreApplication::arguments().contains(g_argumentFile));
        Player player;
        QCOMPARE(player.findChild<QMediaPlaylist*>()->mediaCount(), 0);
    }

    void timeText_data()
    {
        QTest::addColumn<qint64>("current");
        QTest::addColumn<qint64>("duration");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing loaded") << qint64(0) << qint64(0) << QString();
        QTest::newRow("minutes") << qint64(62) << qint64(95) << QStringLiteral("01:02 / 01:35");
        QTest::newRow("start of a short video") << qint64(0) << qint64(5) << QStringLiteral("00:00 / 00:05");
        QTest::newRow("just under an hour") << qint64(5) << qint64(3599) << QStringLiteral("00:05 / 59:59");
        QTest::newRow("exactly an hour") << qint64(5) << qint64(3600) << QStringLiteral("00:00:05 / 01:00:00");
        QTest::newRow("over an hour") << qint64(5) << qint64(3700) << QStringLiteral("00:00:05 / 01:01:40");
    }

    void timeText()
    {
        QFETCH(qint64, current);
        QFETCH(qint64, duration);
        QFETCH(QString, text);
        QCOMPARE(Player::timeText(current, duration), text);
    }

    void remarkIsForTheVideoAtThatRow_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("videoName");
        // The second file is missing, so the view's row 1 is the list's third entry.
        QTest::newRow("a name skipped") << QStringList {"试拍01.mp4", "", "试拍#03.MP4"} << 1 << 1
                                        << QStringLiteral("试拍#03.mp4");
        QTest::newRow("retouch, first row")
            << QStringList {"精修 01.MP4", "精修02.mp4"} << 0 << 2 << QStringLiteral("精修 01.mp4");
    }

    // The remark window opens for the name of the media the row shows and asks for its remark.
    void remarkIsForTheVideoAtThatRow()
    {
        QFETCH(QStringList, names);
        QFETCH(int, row);
        QFETCH(int, kind);
        QFETCH(QString, videoName);
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < names.size(); ++i)
            paths << (names.at(i).isEmpty() ? dir.filePath(QStringLiteral("missing%1.mp4").arg(i))
                                            : touch(dir, names.at(i)));

        Player player;
        player.addToPlaylist(paths);
        player.setVideList(paths, kind);
        auto* view = player.findChild<QListView*>();
        view->setCurrentIndex(view->model()->index(row, 0));
        QVERIFY(QMetaObject::invokeMethod(&player, "edit_menu1"));

        QCOMPARE(remarkWindows().size(), 1);
        QCOMPARE(remarkWindows().first()->windowTitle(), QStringLiteral("备注：") + videoName);
        QVERIFY(backend->waitForRequests(1));
        const StandInRequest query = backend->server().requestsTo("order", "queryvideoremark").value(0);
        QCOMPARE(query.value(QStringLiteral("videoname")), videoName);
        QCOMPARE(query.value(QStringLiteral("type")), QString::number(kind));
    }

    void noRemarkWithoutSelection()
    {
        QTemporaryDir dir;
        Player player;
        player.addToPlaylist({touch(dir, QStringLiteral("a.mp4"))});
        player.setVideList({dir.filePath(QStringLiteral("a.mp4"))}, 1);
        // A menu would run its own loop here: close any that opens, so a fault cannot hang.
        QTimer::singleShot(0, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        QVERIFY(QMetaObject::invokeMethod(&player, "show_contextmenu1", Q_ARG(QPoint, QPoint(5, 5))));
        QVERIFY(QMetaObject::invokeMethod(&player, "edit_menu1"));
        QVERIFY(remarkWindows().isEmpty());
    }

    void rateBox_data()
    {
        QTest::addColumn<float>("rate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("listed") << 2.0f << QStringLiteral("2.0x") << 3;
        QTest::newRow("half") << 0.5f << QStringLiteral("0.5x") << 3;
        QTest::newRow("new") << 1.5f << QStringLiteral("1.5x") << 4;
    }

    void rateBox()
    {
        QFETCH(float, rate);
        QFETCH(QString, text);
        QFETCH(int, count);
        PlayerControls controls;
        QCOMPARE(controls.playbackRate(), 1.0);
        controls.setPlaybackRate(rate);
        auto* box = controls.findChild<QComboBox*>(QStringLiteral("rateBox"));
        QCOMPARE(box->count(), count);
        QCOMPARE(box->currentText(), text);
        QCOMPARE(controls.playbackRate(), qreal(rate));

        QSignalSpy changed(&controls, &PlayerControls::changeRate);
        box->setCurrentIndex(0);
        emit box->activated(0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toReal(), 0.5);
    }

    void playButtonFollowsState()
    {
        PlayerControls controls;
        QSignalSpy play(&controls, &PlayerControls::play);
        QSignalSpy pause(&controls, &PlayerControls::pause);
        auto* playButton = controls.findChild<QAbstractButton*>(QStringLiteral("playButton"));
        auto* stopButton = controls.findChild<QAbstractButton*>(QStringLiteral("stopButton"));
        QVERIFY(!stopButton->isEnabled());
        playButton->click();
        QCOMPARE(play.count(), 1);
        controls.setState(QMediaPlayer::PlayingState);
        QVERIFY(stopButton->isEnabled());
        playButton->click();
        QCOMPARE(pause.count(), 1);
        controls.setState(QMediaPlayer::PausedState);
        playButton->click();
        QCOMPARE(play.count(), 2);
    }

    void playlistModelTextsLastUntilTheListChanges()
    {
        QMediaPlaylist playlist;
        playlist.addMedia(QUrl::fromLocalFile(QStringLiteral("/videos/a#1.mp4")));
        PlaylistModel model;
        model.setPlaylist(&playlist);
        QCOMPARE(model.rowCount(), 1);
        QVERIFY(!model.index(1, 0).isValid());
        QVERIFY(!model.index(0, 1).isValid());
        QCOMPARE(model.rowCount(model.index(0, 0)), 0);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("a#1.mp4"));

        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("第一段")));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("第一段"));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        playlist.addMedia(QUrl::fromLocalFile(QStringLiteral("/videos/b.mp4")));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("a#1.mp4"));
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("b.mp4"));
    }
};

// The test's own command line gets an existing file, as a user's could: the player must not
// pick it up. QTest sees only the usual arguments.
int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    g_argumentFile = dir.filePath(QStringLiteral("argument.mp4"));
    QFile(g_argumentFile).open(QIODevice::WriteOnly);
    QByteArray extra = g_argumentFile.toLocal8Bit();
    std::vector<char*> appArgs(argv, argv + argc);
    appArgs.push_back(extra.data());
    int appArgc = int(appArgs.size());
    appArgs.push_back(nullptr);
    QApplication app(appArgc, appArgs.data());
    TestPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_player.moc"
