#include "core/config.h"
#include "core/deployment.h"
#include "exchange/n8syncbaseinfodialog.h"
#include "order/searchorder.h"
#include "standin/demodata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/searchwindows.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"
#include "workspace/selectphotoview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// Replies of the back end that are not what the order search expects: the window must
// neither crash nor hang, and must stay usable with what it could read.

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

class TestOrderHostileReplies : public QObject
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
        button(w, "searchButton")->click();
        QVERIFY(waitUntil([&] { return requests("loginnew", "switch_shop") == switches + 1; }));
        // An accepted switch posts the order query from its handler: once no post of the
        // window is on its way, both replies are handled.
        QVERIFY(postsAnswered(w));
        QVERIFY(waitUntil([&] { return button(w, "searchButton")->isEnabled(); }));
        QCOMPARE(button(w, "searchButton")->text(), QStringLiteral("检索"));
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
        QVERIFY(postsAnswered(w.get()));
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
        QVERIFY(postsAnswered(topLevelWindows<SelectPhotoView>().first()));
        s.settle();
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

QTEST_MAIN(TestOrderHostileReplies)
#include "tst_hostilereplies.moc"
