#include "standin/demodata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/toplevel.h"
#include "video/player.h"
#include "video/videoremark.h"
#include "workspace/photooperation.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QListView>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

// The demo's road to the videos: the album panel opens the order's generated trial-shoot
// videos, they play, and a remark on one of them is read and saved.
class TestOrderVideos : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }

    void init()
    {
        QVERIFY(s.begin());
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
    }

    void cleanup()
    {
        qDeleteAll(topLevelWindows<VideoRemark>());
        qDeleteAll(topLevelWindows<Player>());
        s.end();
    }

    void trialVideosPlayAndTakeARemark()
    {
        QString error;
        if (!DemoData::createVideos(s.order->volumes(), &error))
            QSKIP(qPrintable(QStringLiteral("no test video: ") + error));
        const QString videos
            = QDir(s.order->volumes()).filePath(DemoData::orderShareFolder()) + QStringLiteral("视频/");
        const QJsonArray trial {QJsonObject {{"videopath", videos + QStringLiteral("试拍01.mp4")}},
            QJsonObject {{"videopath", videos + QStringLiteral("gone.mp4")}},
            QJsonObject {{"videopath", videos + QStringLiteral("试拍02.mp4")}}};
        s.backend->setReply("order", "getorderpic",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", ""}, {"shipai", trial},
                {"jingxiu", QJsonArray()}, {"orderpicdescr", QJsonArray()}}));
        PhotoOperation& panel = s.open();

        panel.clickVideo();
        QCOMPARE(topLevelWindows<Player>().size(), 1);
        Player* player = topLevelWindows<Player>().first();
        auto* media = player->findChild<QMediaPlayer*>();
        QTRY_COMPARE_WITH_TIMEOUT(media->state(), QMediaPlayer::PlayingState, 30000);
        auto* view = player->findChild<QListView*>();
        QCOMPARE(view->model()->rowCount(), 2);

        view->setCurrentIndex(view->model()->index(1, 0));
        QVERIFY(QMetaObject::invokeMethod(player, "edit_menu1"));
        QPointer<VideoRemark> remark = topLevelWindows<VideoRemark>().value(0);
        QVERIFY(remark);
        QCOMPARE(remark->windowTitle(), QStringLiteral("备注：试拍02.mp4"));
        auto* text = remark->findChild<QTextEdit*>(QStringLiteral("textEdit"));
        QTRY_VERIFY_WITH_TIMEOUT(!text->toPlainText().isEmpty(), 30000); // the stand-in's stored remark
        text->setPlainText(QStringLiteral("第二段重拍"));
        remark->findChild<QPushButton*>(QStringLiteral("pushButton"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(remark.isNull(), 30000);
        QVERIFY(s.prompts->contains(QStringLiteral("提醒"), QStringLiteral("备注修改成功")));
        const StandInRequest save = s.backend->requestsTo("order", "postvideoremark").value(0);
        QCOMPARE(save.value(QStringLiteral("videoname")), QStringLiteral("试拍02.mp4"));
        QCOMPARE(save.value(QStringLiteral("type")), QStringLiteral("1"));
        QCOMPARE(save.value(QStringLiteral("content")), QStringLiteral("第二段重拍"));
    }
};

QTEST_MAIN(TestOrderVideos)
#include "tst_ordervideos.moc"
