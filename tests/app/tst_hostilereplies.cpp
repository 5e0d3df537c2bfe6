#include "core/config.h"
#include "core/deployment.h"
#include "app/login.h"
#include "app/settingdialog.h"
#include "exchange/n8syncbaseinfodialog.h"
#include "order/searchorder.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "standin/demodata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/searchwindows.h"
#include "tests/support/toplevel.h"
#include "workspace/photooperation.h"
#include "workspace/selectphotoview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// Replies of the back end that are not what the client expects: every window that reads
// one must neither crash nor hang, and must stay usable with what it could read.

namespace {

QJsonObject orderJson(const QString& key)
{
    return {{"islock", "0"}, {"order_photo_id", "p-" + key}, {"orderid", "o-" + key}, {"servicetimes", "1"},
        {"storesname", "旗舰店"}, {"bname", "李明"}, {"mphone", "13800001001"}, {"comboid", "套系A"},
        {"order_price", "6999.00"}, {"role1", "摄影"}, {"role2", "化妆"}, {"orderpayforkey", key},
        {"ishavepinguan", "0"}, {"pinguanfinish", "0"}, {"sampledate", "2026-03-05"},
        {"order_sample_infoid", "s-" + key}};
}

QJsonObject orderReply(const QJsonArray& orders)
{
    return {{"code", "1"}, {"message", ""}, {"order", orders}, {"iscomboname", "1"}, {"iscomboprice", "1"},
        {"photo_sort", "1"}, {"showdesign", "1"}};
}

bool isShortcutModifier(int m)
{
    return m == 0 || m == int(Qt::ControlModifier) || m == int(Qt::AltModifier);
}

bool isShortcutKey(int k)
{
    return k == 0 || (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_F1 && k <= Qt::Key_F35) || k == Qt::Key_Delete
        || k == Qt::Key_Backspace || k == Qt::Key_Escape || k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up
        || k == Qt::Key_Down || k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter;
}

} // namespace

class TestHostileReplies : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;
    QTemporaryDir m_home;
    QTemporaryDir m_n8;
    int m_shortcutDefaults[32];

    int requests(const char* m, const char* a) { return s.backend->requestsTo(m, a).size(); }
    static QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
    static QTableView* table(QWidget* w) { return w->findChild<QTableView*>("tableView"); }

    // A search window, its shop chosen, with the given reply to the order query.
    std::unique_ptr<SearchOrder> searchWindow()
    {
        Config::uid = QStringLiteral("8001");
        Config::names = QStringList {QStringLiteral("旗舰店")};
        Config::ids = QStringList {QStringLiteral("101")};
        Config::shop_id = QStringLiteral("101");
        std::unique_ptr<SearchOrder> w(new SearchOrder);
        w->show();
        return w;
    }

    // Clicks 检索 and waits until both replies are handled (or the shop switch ended it).
    void search(SearchOrder* w)
    {
        const int switches = requests("loginnew", "switch_shop");
        const int queries = requests("order", "ordermessage");
        button(w, "searchButton")->click();
        QVERIFY(waitUntil([&] { return requests("loginnew", "switch_shop") == switches + 1; }));
        // The order query follows at once when the switch is accepted.
        waitUntil([&] { return requests("order", "ordermessage") == queries + 1; }, 300);
        QVERIFY(waitUntil([&] { return button(w, "searchButton")->isEnabled(); }));
        QCOMPARE(button(w, "searchButton")->text(), QStringLiteral("检索"));
    }

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

    // The search window is usable: its table shows exactly its order list.
    static void checkOrderTable(SearchOrder* w) { QCOMPARE(table(w)->model()->rowCount(), w->orderList.size()); }

private slots:
    void initTestCase()
    {
        QVERIFY(s.backend.isReady());
        QVERIFY(m_home.isValid() && m_n8.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        // The first store's folder is a share of its own, so the store check finds one reachable.
        QVERIFY(Deployment::setN8Shares(m_n8.path() + "=" + m_n8.path()));
        std::copy(Config::shotCutKey, Config::shotCutKey + 32, m_shortcutDefaults);
    }

    void init()
    {
        QVERIFY(s.begin());
        std::copy(m_shortcutDefaults, m_shortcutDefaults + 32, Config::shotCutKey);
    }

    void cleanup()
    {
        SearchWindows::closeAll();
        for (SelectPhotoView* w : topLevelWindows<SelectPhotoView>())
            delete w;
        for (N8SyncBaseInfoDialog* d : topLevelWindows<N8SyncBaseInfoDialog>())
            delete d;
        s.end();
    }

    // ---- Sign-in ----

    void signIn_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", "登录成功"}, {"uid", "77"},
                           {"shop_data",
                               QJsonArray {QJsonObject {{"name", "旗舰店"}, {"id", "101"}},
                                   QJsonObject {{"name", "分店"}, {"id", "102"}}}}},
            {"code", "message", "uid", "shop_data", "shop_data/0", "shop_data/0/id", "shop_data/0/name"});
    }

    // Either the window is idle again, or it closed and one search window opened that lists
    // only the shops the reply really named, searchable when there is one.
    void signIn()
    {
        QFETCH(QByteArray, body);
        Config::uid.clear();
        Config::names.clear();
        Config::ids.clear();
        s.backend->setReply("loginnew", "do_login", StandInReply::raw(body));
        Login login;
        login.show();
        login.findChild<QLineEdit*>("username")->setText("demo");
        login.findChild<QLineEdit*>("password")->setText("demo123");
        button(&login, "okButton")->click();
        QVERIFY(waitUntil([&] { return requests("loginnew", "do_login") == 1; }));
        QVERIFY(waitUntil([&] { return button(&login, "okButton")->isEnabled() || !login.isVisible(); }));
        if (login.isVisible()) {
            QCOMPARE(login.windowTitle(), QStringLiteral("登录"));
            QVERIFY(SearchWindows::open().isEmpty());
            QCOMPARE(s.prompts->count(), 1);
        } else {
            QCOMPARE(SearchWindows::open().size(), 1);
            QCOMPARE(Config::names.size(), Config::ids.size());
            for (const QString& id : qAsConst(Config::ids))
                QVERIFY(!id.isEmpty());
            SearchOrder* search = SearchWindows::open().first();
            QCOMPARE(button(search, "searchButton")->isEnabled(), !Config::ids.isEmpty());
        }
        QVERIFY(waitUntil([&] { return requests("Version", "check_update") == 1; }));
    }

    void versionCheck_data()
    {
        addHostileRows(
            QJsonObject {{"code", "1"}, {"message", ""}, {"data", QJsonObject {{"path", "https://dl.example.com/x"}}}},
            {"code", "data", "data/path"});
    }

    // Only a web page named as text under code "1" is ever opened.
    void versionCheck()
    {
        QFETCH(QByteArray, body);
        s.backend->setReply("Version", "check_update", StandInReply::raw(body));
        Login login;
        QVERIFY(waitUntil([&] { return requests("Version", "check_update") == 1; }));
        waitUntil([&] { return s.prompts->count() > 0; }, 100);
        for (const PromptCall& call : s.prompts->calls()) {
            QCOMPARE(call.kind, PromptCall::OpenUrl);
            QCOMPARE(call.text, QStringLiteral("https://dl.example.com/x"));
        }
    }

    void serverPath_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}, {"picpath", "//192.168.1.20/share/"}},
            {"code", "message", "picpath"});
    }

    // The server path is taken (text only, whatever came) or the dialog stays as it was.
    void serverPath()
    {
        QFETCH(QByteArray, body);
        DirServer::setServerPath(QStringLiteral("/before/"));
        s.backend->setReply("systemset", "getpicpath", StandInReply::raw(body));
        SettingDialog dialog;
        QVERIFY(waitUntil([&] { return requests("systemset", "getpicpath") == 1; }));
        waitUntil(
            [&] { return DirServer::getServerPath() != QLatin1String("/before/") || s.prompts->count() > 0; }, 150);
        const QJsonObject root = QJsonDocument::fromJson(body).object();
        if (root.value("code") == QJsonValue("1")) {
            QCOMPARE(DirServer::getServerPath(), root.value("picpath").toString());
        } else {
            QCOMPARE(DirServer::getServerPath(), QStringLiteral("/before/"));
            QVERIFY(s.prompts->count() <= 1);
        }
        DirServer::setServerPath(QString());
    }

    // ---- Order search: shop switch, order query, lock, N8 store check ----

    void shopSwitch_data()
    {
        const QJsonObject user {{"MANAGER_ID", "5001"}, {"companyid", "900"}, {"xuanyangislock", "1"},
            {"isdelwarn", "0"}, {"taipian_sorting", "2"},
            {"shortkey",
                QJsonObject {{"firkey1", "F1"}, {"seckey1", "0"}, {"firkey3", "CTRL"}, {"seckey3", "D"},
                    {"firkey16", "ALT"}, {"seckey16", "Z"}}}};
        addHostileRows(
            QJsonObject {{"code", "1"}, {"message", ""}, {"color", "#FF3030"}, {"noeditps", 0}, {"user", user}},
            {"code", "noeditps", "user", "user/MANAGER_ID", "user/shortkey", "user/shortkey/firkey3",
                "user/shortkey/seckey3", "user/shortkey/seckey16"});
        QTest::newRow("function key beyond F35") << compact(replaced(
            QJsonObject {{"code", "1"}, {"user", user}}, {"user", "shortkey", "firkey1"}, "F99999999999999999999"));
    }

    // The search ends (or stops at the switch) with the button ready, and the shortcut
    // table holds only modifiers and keys a key press can match.
    void shopSwitch()
    {
        QFETCH(QByteArray, body);
        s.backend->setReply("loginnew", "switch_shop", StandInReply::raw(body));
        auto w = searchWindow();
        search(w.get());
        checkOrderTable(w.get());
        for (int i = 0; i < 16; ++i) {
            QVERIFY2(isShortcutModifier(Config::shotCutKey[2 * i]), qPrintable(QString::number(i)));
            QVERIFY2(isShortcutKey(Config::shotCutKey[2 * i + 1]), qPrintable(QString::number(i)));
        }
        QVERIFY(s.prompts->count() <= 1);
    }

    void orderQuery_data()
    {
        addHostileRows(orderReply({orderJson("A-1"), orderJson("A-2")}),
            {"code", "message", "order", "order/0", "order/0/islock", "order/0/bname", "iscomboname", "photo_sort"});
    }

    // The search ends with the button ready and the table showing the orders read.
    void orderQuery()
    {
        QFETCH(QByteArray, body);
        s.backend->setReply("order", "ordermessage", StandInReply::raw(body));
        auto w = searchWindow();
        search(w.get());
        checkOrderTable(w.get());
        QVERIFY(Config::orderMode == 0 || Config::orderMode == 2);
        // Every element is listed, one that is no object as an order with empty texts.
        if (QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1"))
            QCOMPARE(w->orderList.size(), QJsonDocument::fromJson(body).object().value("order").toArray().size());
        QVERIFY(s.prompts->count() <= 1);
    }

    void lockChange_data() { addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}}, {"code", "message"}); }

    // Accepted: the search runs again. Anything else: a box at most, and the window stays.
    void lockChange()
    {
        QFETCH(QByteArray, body);
        s.backend->setReply("order", "ordermessage", StandInReply::json(orderReply({orderJson("A-1")})));
        s.backend->setReply("order", "lockchange", StandInReply::raw(body));
        auto w = searchWindow();
        search(w.get());
        QCOMPARE(w->orderList.size(), 1);
        s.prompts->clear();
        s.prompts->answer(QMessageBox::Yes);
        w->selectRowR(table(w.get())->model()->index(0, 1));
        QVERIFY(waitUntil([&] { return requests("order", "lockchange") == 1; }));
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        if (accepted)
            QVERIFY(waitUntil([&] { return requests("loginnew", "switch_shop") == 2; }));
        else
            waitUntil([&] { return s.prompts->count() > 1; }, 200);
        QVERIFY(waitUntil([&] { return button(w.get(), "searchButton")->isEnabled(); }));
        QVERIFY(s.prompts->count() <= 2);
    }

    void n8StoreCheck_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""},
                           {"stores",
                               QJsonArray {QJsonObject {{"id", "1"}, {"name", "一店"}, {"n8path", m_n8.path()}},
                                   QJsonObject {{"id", "2"}, {"name", "二店"}, {"n8path", "/nowhere"}}}}},
            {"code", "stores", "stores/0", "stores/0/n8path", "stores/0/name"});
    }

    // The check ends with the button idle again, and a second click checks again.
    void n8StoreCheck()
    {
        QFETCH(QByteArray, body);
        s.backend->setReply("n8", "getn8set", StandInReply::raw(body));
        auto w = searchWindow();
        const QString idle = QStringLiteral("同步全部员工/产品到N8");
        for (int round = 1; round <= 2; ++round) {
            w->req_syncToN8Path();
            QVERIFY(waitUntil([&] { return requests("n8", "getn8set") == round; }));
            QVERIFY(waitUntil([&] { return button(w.get(), "pb_n8sync")->text() == idle; }));
            waitUntil([&] { return s.prompts->count() >= round; }, 200);
            for (N8SyncBaseInfoDialog* d : topLevelWindows<N8SyncBaseInfoDialog>())
                delete d;
        }
    }

    // ---- Opening an order ----

    void openOrder_data()
    {
        addHostileRows(
            orderReply({orderJson("A-1")}), {"order/0/order_photo_id", "order/0/islock", "order/0/pinguanfinish"});
    }

    // A double click on whatever order was listed opens it or says why not.
    void openOrder()
    {
        QFETCH(QByteArray, body);
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        s.backend->setReply("order", "ordermessage", StandInReply::raw(body));
        auto w = searchWindow();
        search(w.get());
        if (w->orderList.isEmpty())
            return;
        SearchOrder* window = w.release();
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<SearchOrder> guard(window);
        emit table(window)->doubleClicked(table(window)->model()->index(0, 0));
        QVERIFY(waitUntil([&] { return !topLevelWindows<SelectPhotoView>().isEmpty() || s.prompts->count() > 0; }));
        if (topLevelWindows<SelectPhotoView>().isEmpty()) {
            QCOMPARE(s.prompts->texts(), QStringList {"未经品管，请联系数码部！"});
            QVERIFY(guard && guard->isVisible());
            delete guard.data();
            return;
        }
        QCOMPARE(topLevelWindows<SelectPhotoView>().size(), 1);
        QVERIFY(!guard || !guard->isVisible());
        QVERIFY(waitUntil([&] { return requests("order", "getpicpath") == 1; }));
        waitUntil([&] { return s.prompts->count() > 0; }, 200);
        s.settle();
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
        waitUntil([&] { return ProductData::all_product_requirement != QLatin1String("before"); }, 200);
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
        waitUntil([&] { return Config::orderHomePath != QLatin1String("before"); }, 200);
        // Either nothing was taken or a folder path (never the working folder's files).
        QVERIFY(DirServer::getHomeModelPath().isEmpty() || DirServer::getHomeModelPath().endsWith('/'));
        QVERIFY(s.prompts->count() <= 1);
        s.settle();
        Config::orderHomePath.clear();
        DirServer::setHomeModelPath(QString());
        DirServer::setBackgroundMusicPath(QString());
    }

    // ---- The album panel ----

    void pictureInfo_data()
    {
        const QJsonObject record {{"picname", "IMG_0001.jpg"}, {"descr", ""}, {"pictype", "1"}, {"picx", "10"},
            {"picy", "20"}, {"picwidth", "800"}, {"picheight", "540"},
            {"mark", QJsonArray {"10,10,20,20-1-1-#ff0000-提亮"}}};
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""},
                           {"shipai", QJsonArray {QJsonObject {{"videopath", "/v/1.mp4"}}}}, {"jingxiu", QJsonArray()},
                           {"orderpicdescr", QJsonArray {record, record}}},
            {"code", "message", "shipai", "shipai/0", "orderpicdescr", "orderpicdescr/0", "orderpicdescr/0/picname",
                "orderpicdescr/0/mark", "orderpicdescr/0/picx", "orderpicdescr/0/picwidth", "orderpicdescr/0/pictype"});
        const QJsonObject far {{"picname", "IMG_0001.jpg"}, {"pictype", "1"}, {"picx", "2147483000"},
            {"picy", "-2147483000"}, {"picwidth", "2147483647"}, {"picheight", "2147483647"}};
        QTest::newRow("crop at the ends of int")
            << compact(QJsonObject {{"code", "1"}, {"orderpicdescr", QJsonArray {far}}});
    }

    // The album opens with its photos and icons (or the road stops at its box); no record
    // holds a crop that its icon cannot draw.
    void pictureInfo()
    {
        QFETCH(QByteArray, body);
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        s.backend->setReply("order", "getorderpic", StandInReply::raw(body));
        s.open(0, false);
        QVERIFY(waitUntil([&] { return requests("order", "getorderpic") == 1; }));
        waitUntil([&] { return s.shown->count() == 2 || s.prompts->count() > 0; }, 500);
        s.settle();
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        if (accepted) {
            QCOMPARE(s.shown->count(), 2);
            QCOMPARE(s.icons()->count(), 5);
            QCOMPARE(s.prompts->count(), 0);
            // A crop whose edges no int holds is no crop at all.
            if (body.contains("2147483000")) {
                QCOMPARE(ImageData::changedImages.size(), 1);
                QCOMPARE(ImageData::changedImages.first().GetTrimrc(), QRect());
            }
        } else {
            QCOMPARE(s.shown->count(), 0);
            QVERIFY(s.prompts->count() <= 1);
        }
    }

    void picturePath_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}, {"picpath", "//picserver/share/2026/DEMO-1001"}},
            {"code", "message", "picpath"});
    }

    // Either the demo order's folder is taken, or the folder stays as it was after one box.
    void picturePath()
    {
        QFETCH(QByteArray, body);
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        DirServer::setOrderPath(QStringLiteral("/sentinel/"));
        s.backend->setReply("order", "getpicpath", StandInReply::raw(body));
        s.open(0, false);
        QVERIFY(waitUntil([&] { return requests("order", "getpicpath") == 1; }));
        waitUntil([&] { return s.shown->count() == 2 || s.prompts->count() > 0; }, 300);
        s.settle();
        if (s.shown->count() > 0) {
            QCOMPARE(DirServer::getOrderPath(), s.order->order());
        } else {
            QCOMPARE(DirServer::getOrderPath(), QStringLiteral("/sentinel/"));
            QVERIFY(s.prompts->count() <= 1);
        }
    }

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
        waitUntil([&] { return false; }, 100);
        QCOMPARE(s.prompts->count(), 0);

        panel.onClipChanged();
        QVERIFY(waitUntil([&] { return requests("order", "updateorderpic") == 1; }));
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        const bool object = QJsonDocument::fromJson(body).isObject();
        if (!accepted && object) {
            QVERIFY(waitUntil([&] { return s.prompts->count() == 1; }));
            QVERIFY(s.prompts->last().text.startsWith(QStringLiteral("提交裁剪信息错误：")));
        } else {
            waitUntil([&] { return s.prompts->count() > 0; }, 150);
            QCOMPARE(s.prompts->count(), 0);
        }
    }

    // ---- A reply far larger than expected ----

    // 5,000 orders all reach the list and the table, in reply order (how long the window
    // stalls meanwhile is measured by bench/orderlistbench).
    void largeOrderList()
    {
        QJsonArray orders;
        for (int i = 0; i < 5000; ++i)
            orders.append(orderJson(QStringLiteral("K-%1").arg(i, 5, 10, QLatin1Char('0'))));
        s.backend->setReply("order", "ordermessage", StandInReply::json(orderReply(orders)));
        auto w = searchWindow();
        w->resize(1400, 800);
        search(w.get());
        QCOMPARE(w->orderList.size(), 5000);
        checkOrderTable(w.get());
        const QAbstractItemModel* model = table(w.get())->model();
        for (int row : {0, 2500, 4999}) {
            const QString key = QStringLiteral("K-%1").arg(row, 5, 10, QLatin1Char('0'));
            QCOMPARE(model->index(row, 0).data().toString(), key);
            QCOMPARE(model->index(row, 1).data().toString(), QStringLiteral("去锁定"));
        }
        // The table is painted with all its rows.
        w->repaint();
        QCOMPARE(s.prompts->count(), 0);
    }
};

QTEST_MAIN(TestHostileReplies)
#include "tst_hostilereplies.moc"
