#include "core/config.h"
#include "core/deployment.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"
#include "standin/demodata.h"
#include "video/player.h"
#include "viewer/progresswindow.h"
#include "workspace/photooperation.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMediaPlaylist>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

QJsonObject pictureInfo(const QJsonArray& records, const QJsonArray& trial = {}, const QJsonArray& final = {})
{
    return {{"code", "1"}, {"message", ""}, {"shipai", trial}, {"jingxiu", final}, {"orderpicdescr", records}};
}

QByteArray body(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject marked(const QString& name, int marks)
{
    QJsonArray list;
    for (int i = 0; i < marks; ++i)
        list.append(QStringLiteral("10,10,20,20-1-%1-#ff0000-提亮").arg(i + 1));
    return {{"picname", name}, {"descr", ""}, {"pictype", "0"}, {"picx", "0"}, {"picy", "0"}, {"picwidth", "0"},
        {"picheight", "0"}, {"mark", list}};
}

} // namespace

class TestOrderLoad : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    QStringList endpoints()
    {
        QStringList called;
        for (const StandInRequest& r : s.backend->requests())
            called << r.endpoint();
        return called;
    }
    int row(const QString& name) { return s.column(0).indexOf(name); }
    QString cell(const QString& name, int column) { return s.column(column).value(row(name)); }

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }

    void init()
    {
        QVERIFY(s.begin());
        // The demo data set: the stand-in's default replies describe its photos.
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        DirServer::setOrderPath(QStringLiteral("/sentinel/"));
    }

    void cleanup()
    {
        Deployment::setRequestTimeoutMs(30000);
        s.end();
    }

    // The whole road against the stand-in's demo data set: two queries with the order's fields,
    // the nine thumbnail folders, the album shown twice with records and icons.
    void wholeRoad()
    {
        s.open();
        QCOMPARE(endpoints(), (QStringList {"order.getorderpic", "order.getpicpath"}));
        for (const StandInRequest& r : s.backend->requests()) {
            QCOMPARE(r.keys(), (QStringList {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
            QCOMPARE(r.value("token"), Config::token);
            QCOMPARE(r.value("order_photo_id"), QStringLiteral("1001"));
            QCOMPARE(r.value("shopid"), QStringLiteral("7"));
            QCOMPARE(r.value("companyid"), QStringLiteral("3"));
            QCOMPARE(r.value("order_sample_infoid"), QStringLiteral("30001"));
        }
        QCOMPARE(DirServer::getOrderPath(), s.order->order());
        for (const char* folder : {"thumbnail100", "thumbnail", "thumbnail2250", "设计缩略图100", "设计缩略图",
                 "设计缩略图2250", "成品缩略图100", "成品缩略图", "成品缩略图2250"})
            QVERIFY2(QDir(s.order->album(QString::fromUtf8(folder))).exists(), folder);

        QTRY_COMPARE_WITH_TIMEOUT(s.shown->count(), 2, 30000);
        for (const QList<QVariant>& shown : qAsConst(*s.shown)) {
            QCOMPARE(shown.at(1).toInt(), 1);
            QCOMPARE(shown.at(2).toInt(), 0);
        }
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：成品(5)"));
        QCOMPARE(cell("IMG_0001.jpg", 2), QStringLiteral("已有3个标注"));
        QCOMPARE(cell("IMG_0001.jpg", 3), QStringLiteral("宽：800||高：540"));
        QCOMPARE(cell("IMG_0002.jpg", 2), QString());
        QCOMPARE(cell("IMG_0002.jpg", 3), QStringLiteral("宽：500||高：500"));
        QCOMPARE(cell("婚纱 外景 01.jpg", 2), QStringLiteral("已有1个标注"));
        QCOMPARE(cell("婚纱 外景 01.jpg", 3), QString());
        QCOMPARE(cell("IMG_0004.jpg", 2), QString());
        QCOMPARE(cell("IMG_0005.jpg", 3), QString());

        s.settle();
        QListWidget* icons = s.icons();
        QCOMPARE(icons->count(), 5);
        for (int i = 0; i < icons->count(); ++i)
            QVERIFY(!icons->item(i)->icon().isNull());
        QVERIFY(!s.progress()->isVisible());
        QCOMPARE(s.prompts->count(), 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pathAsked");

        QTest::newRow("info refused") << "getorderpic" << 200 << body({{"code", "0"}, {"message", "订单不存在"}})
                                      << "警告"
                                      << "查询裁剪信息错误：订单不存在" << false;
        QTest::newRow("info not JSON") << "getorderpic" << 200 << QByteArray("<html>") << ""
                                       << "" << false;
        QTest::newRow("info HTTP 500") << "getorderpic" << 500 << QByteArray() << "警告"
                                       << "网络请求错误\n500" << false;
        QTest::newRow("path refused") << "getpicpath" << 200 << body({{"code", "0"}, {"message", "无路径"}}) << "警告"
                                      << "获取订单路径错误：无路径" << true;
        QTest::newRow("path not an object") << "getpicpath" << 200 << QByteArray("[1]") << ""
                                            << "" << true;
        QTest::newRow("bare share prefix")
            << "getpicpath" << 200 << body({{"code", "1"}, {"picpath", "\\\\"}}) << "温馨提示"
            << "订单路径<font color=\"blue\">\\\\</font>打开失败，请检查路径是否正确！" << true;
        QTest::newRow("missing folder")
            << "getpicpath" << 200 << body({{"code", "1"}, {"picpath", "//picserver/share/2026/NONE"}}) << "温馨提示"
            << "订单路径<font color=\"blue\">%1picserver/2026/NONE/</font>打开失败，请检查路径是否正确！" << true;
        QTest::newRow("markup in the path")
            << "getpicpath" << 200 << body({{"code", "1"}, {"picpath", "\\\\srv\\share\\a<b>&c"}}) << "温馨提示"
            << "订单路径<font color=\"blue\">%1srv/a&lt;b&gt;&amp;c/</font>打开失败，请检查路径是否正确！" << true;
    }

    // Each refusal ends the road with its box (or silently) and leaves the order folder
    // and the albums as they were.
    void refusals()
    {
        QFETCH(QString, action);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, pathAsked);
        s.backend->setReply("order", action, StandInReply::raw(body, status));
        s.open(0);
        // A silent end has nothing to wait for but the road's last reply.
        waitUntil([&] { return s.backend->requests().size() == (pathAsked ? 2 : 1); });
        QVERIFY(postsAnswered(s.panel.get()));
        if (!title.isEmpty())
            waitUntil([&] { return s.prompts->count() > 0; });

        QCOMPARE(s.backend->requestsTo("order", "getpicpath").size(), pathAsked ? 1 : 0);
        QCOMPARE(s.prompts->count(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(s.prompts->last().title, title);
            QCOMPARE(s.prompts->last().text, text.contains("%1") ? text.arg(s.order->volumes()) : text);
            QCOMPARE(s.prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            QCOMPARE(s.prompts->last().defaultButton, QMessageBox::Yes);
        }
        QCOMPARE(DirServer::getOrderPath(), QStringLiteral("/sentinel/"));
        QCOMPARE(s.shown->count(), 0);
        QVERIFY(!QDir(s.order->album("成品缩略图100")).exists());
    }

    // A back end that takes a query of the road and never answers: it times out as a network
    // error, and the road stops there.
    void silentBackendStopsTheRoad_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("picture information") << "getorderpic";
        QTest::newRow("picture path") << "getpicpath";
    }

    void silentBackendStopsTheRoad()
    {
        QFETCH(QString, action);
        s.backend->setReply("order", action, StandInReply::json(QJsonObject {{"code", "1"}}).held());
        Deployment::setRequestTimeoutMs(300);
        s.open(0);
        QVERIFY(waitUntil([&] { return s.prompts->count() > 0; }));
        QCOMPARE(s.prompts->count(), 1);
        QCOMPARE(s.prompts->last().title, QStringLiteral("警告"));
        QCOMPARE(s.prompts->last().text, QStringLiteral("网络请求错误\n"));
        QCOMPARE(s.prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(s.backend->heldCount(), 1);
        s.backend->releaseHeld();
        QTest::qWait(50);
        QCOMPARE(DirServer::getOrderPath(), QStringLiteral("/sentinel/"));
        QCOMPARE(s.shown->count(), 0);
    }

    // Roads overlap when albums are switched faster than the back end answers: each reply
    // is taken as it arrives, the last one to arrive decides the records, and the album is
    // the one chosen last.
    void overlappingRoads()
    {
        int asked = 0;
        s.backend->setHandler("order", "getorderpic", [&asked](const StandInRequest&) {
            ++asked;
            const QJsonObject info = pictureInfo({marked("IMG_0001.jpg", asked == 1 ? 1 : 2)});
            return asked == 1 ? StandInReply::json(info).delayed(400) : StandInReply::json(info);
        });
        PhotoOperation& panel = s.open(0);
        panel.clickDeletePhoto();
        QVERIFY(waitUntil([&] { return s.shown->count() == 2; }));
        QCOMPARE(ImageData::changedImages.value(0).GetStrneed(), QStringLiteral("已有2个标注"));
        QVERIFY(waitUntil([&] { return s.shown->count() == 4; }));
        QCOMPARE(ImageData::changedImages.value(0).GetStrneed(), QStringLiteral("已有1个标注"));
        QCOMPARE(s.shown->last().at(1).toInt(), 2);
        QCOMPARE(s.column(0), QStringList {"IMG_0006.jpg"});
        s.settle();
        QVERIFY(!s.progress()->isVisible());
        QVERIFY(!s.icons()->item(0)->icon().isNull());
    }

    // A local order folder needs no path query, and the album is shown once.
    void localOrderFolder()
    {
        ProductData::localOrderPath = s.order->order();
        s.open(1);
        QTest::qWait(100);
        QCOMPARE(endpoints(), QStringList {"order.getorderpic"});
        QCOMPARE(s.shown->count(), 1);
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：成品(5)"));
    }

    // Only the listed videos that exist play, in list order; none at all gives the box.
    void videos()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.mp4"), b = dir.filePath("b.mp4");
        s.order->addFile(a, "not a real video");
        s.order->addFile(b, "not a real video");
        const QJsonArray trial {QJsonObject {{"videopath", dir.filePath("gone.mp4")}}, QJsonObject {{"videopath", b}},
            QJsonObject {{"videopath", ""}}, QJsonObject {{"videopath", a}}};
        const QJsonArray final {QJsonObject {{"videopath", dir.filePath("gone.mp4")}}};
        s.backend->setReply("order", "getorderpic", StandInReply::json(pictureInfo({}, trial, final)));
        PhotoOperation& panel = s.open();

        panel.clickFinalVideo();
        QCOMPARE(s.prompts->count(), 1);
        QCOMPARE(s.prompts->last().title, QStringLiteral("提醒"));
        QCOMPARE(s.prompts->last().text, QStringLiteral("该订单尚未导入精修视频"));

        panel.clickVideo();
        QCOMPARE(s.prompts->count(), 1);
        const QList<Player*> players = topLevelWindows<Player>();
        Player* player = players.value(players.size() - 1);
        QVERIFY(player);
        QVERIFY(player->isVisible());
        QCOMPARE(player->width(), 1400);
        QVERIFY(player->testAttribute(Qt::WA_DeleteOnClose));
        QMediaPlaylist* list = player->findChild<QMediaPlaylist*>();
        QCOMPARE(list->mediaCount(), 2);
        QCOMPARE(list->media(0).request().url().toLocalFile(), b);
        QCOMPARE(list->media(1).request().url().toLocalFile(), a);
        QPointer<Player> gone(player);
        player->close();
        QVERIFY(waitUntil([&] { return gone.isNull(); }));
    }
};

QTEST_MAIN(TestOrderLoad)
#include "tst_orderload.moc"
