#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "standin/demodata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"
#include "workspace/photooperation.h"
#include "workspace/selectphotoview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QtTest>

// Replies of the back end that are not what the main window and the album panel expect:
// neither may crash nor hang, and each stays usable with what it could read.

class TestWorkspaceHostileReplies : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    int requests(const char* m, const char* a) { return s.backend->requestsTo(m, a).size(); }

    // The main window on the demo order, body the reply of m and a; both its requests answered.
    std::unique_ptr<SelectPhotoView> workspaceWith(const char* m, const char* a, const QByteArray& body)
    {
        [&] { QVERIFY(DemoData::createVolumes(s.order->volumes())); }();
        s.backend->setReply(m, a, StandInReply::raw(body));
        std::unique_ptr<SelectPhotoView> w(new SelectPhotoView);
        [&] {
            QVERIFY(waitUntil(
                [&] { return requests("order", "getorderdescr") == 1 && requests("systemset", "getpicpath") == 1; }));
        }();
        return w;
    }

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }

    void init() { QVERIFY(s.begin()); }

    void cleanup()
    {
        for (SelectPhotoView* w : topLevelWindows<SelectPhotoView>())
            delete w;
        s.end();
    }

    // ---- The main window's requirement and template requests ----

    void requirement_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}, {"orderdescr", "整体要求"}},
            {"code", "message", "orderdescr"});
    }

    void requirement()
    {
        QFETCH(QByteArray, body);
        ProductData::all_product_requirement = QStringLiteral("before");
        auto w = workspaceWith("order", "getorderdescr", body);
        QVERIFY(ownPostsAnswered(w.get()));
        const QJsonObject root = QJsonDocument::fromJson(body).object();
        if (root.value("code") == QJsonValue("1"))
            QCOMPARE(ProductData::all_product_requirement, root.value("orderdescr").toString());
        else
            QCOMPARE(ProductData::all_product_requirement, QStringLiteral("before"));
        QVERIFY(s.prompts->count() <= 1);
        s.settle();
    }

    void templatePaths_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}, {"homepicpath", "//192.168.1.20/share/家居模板/"},
                           {"backgroundmp3path", "//192.168.1.20/share/背景音乐/"}},
            {"code", "homepicpath", "backgroundmp3path"});
    }

    void templatePaths()
    {
        QFETCH(QByteArray, body);
        Config::orderHomePath = QStringLiteral("before");
        auto w = workspaceWith("systemset", "getpicpath", body);
        QVERIFY(ownPostsAnswered(w.get()));
        // Either nothing was taken or a folder path (never the working folder's files).
        QVERIFY(DirServer::getHomeModelPath().isEmpty() || DirServer::getHomeModelPath().endsWith('/'));
        QVERIFY(s.prompts->count() <= 1);
        s.settle();
        Config::orderHomePath.clear();
        DirServer::setHomeModelPath(QString());
        DirServer::setBackgroundMusicPath(QString());
    }

    // ---- The album panel ----

    void panelRecords_data() { addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}}, {"code", "message"}); }

    // The crop record's reply: a refusal box at most. The move record's and the design
    // deletion notice's: nothing at all.
    void panelRecords()
    {
        QFETCH(QByteArray, body);
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        for (const char* action : {"updateorderpic", "putMoveImg"})
            s.backend->setReply("order", action, StandInReply::raw(body));
        s.backend->setReply("Ordernew", "del_photo", StandInReply::raw(body));
        PhotoOperation& panel = s.open();
        ImageData::getInstance()->setIterator(1, SELE_ALL);
        panel.postImageLog(QStringLiteral("1"), QStringLiteral("IMG_0002.jpg"));
        ImageData::getInstance()->deleteDesignImage(QStringList());
        QVERIFY(
            waitUntil([&] { return requests("order", "putMoveImg") == 1 && requests("Ordernew", "del_photo") == 1; }));
        // The deletion notice has no receiver: nothing can answer it with a box.
        QVERIFY(postsAnswered(&panel));
        QCOMPARE(s.prompts->count(), 0);

        panel.onClipChanged();
        QVERIFY(waitUntil([&] { return requests("order", "updateorderpic") == 1; }));
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        const bool object = QJsonDocument::fromJson(body).isObject();
        if (!accepted && object) {
            QVERIFY(waitUntil([&] { return s.prompts->count() == 1; }));
            QVERIFY(s.prompts->last().text.startsWith(QStringLiteral("提交裁剪信息错误：")));
        } else {
            QVERIFY(postsAnswered(&panel));
            QCOMPARE(s.prompts->count(), 0);
        }
    }
};

QTEST_MAIN(TestWorkspaceHostileReplies)
#include "tst_hostilereplies.moc"
