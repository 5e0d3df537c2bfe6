#include "core/config.h"
#include "exchange/n8syncbaseinfodialog.h"
#include "order/searchorder.h"
#include "photostore/productdata.h"
#include "standin/demodata.h"
#include "tests/support/eventwait.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "workspace/selectphotoview.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QJsonObject orderJson(const QString& id, const QString& islock)
{
    return QJsonObject {{"islock", islock}, {"order_photo_id", id}, {"orderid", "o-" + id}, {"servicetimes", "2"},
        {"storesname", "旗舰店"}, {"bname", "李明"}, {"mphone", "13800001001"}, {"role1", "陈摄影"},
        {"role2", "林化妆"}, {"shotdate", "2026-02-20"}, {"orderpayforkey", "K-" + id}, {"ishavepinguan", "0"},
        {"pinguanfinish", "0"}, {"role7", "周调色"}, {"role8", "赵修片"}, {"role9", "孙精修"}, {"role10", "吴设计"},
        {"phototype", "婚纱照"}, {"imagebooktime", "2026-01-15 10:30:00"}, {"selectphotodate", "2026-03-05"},
        {"order_sample_infoid", "s-" + id}, {"otherdate", "never read"}};
}

} // namespace

class TestOrderOpening : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    std::unique_ptr<PromptRecorder> m_prompts;
    QPointer<SearchOrder> m_window;
    QTemporaryDir m_volumes;

    static QTableView* table(SearchOrder* w) { return w->findChild<QTableView*>("tableView"); }
    int requests(const char* m, const char* a) { return m_backend->requestsTo(m, a).size(); }

    // A search window listing the given orders, its search done.
    void openSearch(const QJsonArray& orders)
    {
        m_backend->setReply("order", "ordermessage",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", ""}, {"order", orders}}));
        m_window = new SearchOrder();
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
        m_window->findChild<QPushButton*>("searchButton")->click();
        QVERIFY(waitUntil([&] { return table(m_window)->model()->rowCount() == orders.size(); }));
        QVERIFY(waitUntil([&] { return m_window->findChild<QPushButton*>("searchButton")->isEnabled(); }));
        m_backend->clearRequests();
        m_prompts->clear();
    }

    QModelIndex cell(int row, int column) { return table(m_window)->model()->index(row, column); }

    void doubleClick(int row) { emit table(m_window)->doubleClicked(cell(row, 0)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        // The demo order's share, where the opened workspace loads the order's photos.
        Config::volumesRoot = m_volumes.path() + QLatin1Char('/');
        QVERIFY(DemoData::createVolumes(Config::volumesRoot));
    }

    void init()
    {
        m_backend.reset();
        m_prompts.reset(new PromptRecorder);
        Config::uid = QStringLiteral("8001");
        Config::names = QStringList {QStringLiteral("旗舰店")};
        Config::ids = QStringList {QStringLiteral("101")};
        Config::shop_id = QStringLiteral("101");
        ProductData::localOrderPath = QStringLiteral("stale");
    }

    void cleanup()
    {
        delete m_window;
        for (SelectPhotoView* w : topLevelWindows<SelectPhotoView>())
            delete w;
        for (N8SyncBaseInfoDialog* d : topLevelWindows<N8SyncBaseInfoDialog>())
            delete d;
        m_prompts.reset();
        Config::isLocked = false;
    }

    void clicksOutsideTheLockColumnDoNothing_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("lockedStatus");
        QTest::newRow("order number") << 0 << "1";
        QTest::newRow("shop") << 2 << "1";
        QTest::newRow("order number, no right") << 0 << "0";
        QTest::newRow("last column") << 17 << "0";
    }

    void clicksOutsideTheLockColumnDoNothing()
    {
        QFETCH(int, column);
        QFETCH(QString, lockedStatus);
        openSearch({orderJson("1001", "1")});
        Config::locked_status = lockedStatus;
        emit table(m_window)->clicked(cell(0, column));
        QTest::qWait(50);
        QCOMPARE(m_prompts->count(), 0);
        QVERIFY(m_backend->requests().isEmpty());
    }

    void lockColumnWithoutRightSaysSo()
    {
        openSearch({orderJson("1001", "1")});
        Config::locked_status = QStringLiteral("0");
        emit table(m_window)->clicked(cell(0, 1));
        QCOMPARE(m_prompts->texts(), QStringList {"暂无操作权限"});
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QTest::qWait(50);
        QVERIFY(m_backend->requests().isEmpty());
    }

    void lockChangeAsksPostsAndSearchesAgain_data()
    {
        QTest::addColumn<QString>("islock");
        QTest::addColumn<QString>("lockedStatus");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("sent");
        QTest::newRow("unlock, right key missing") << "1"
                                                   << ""
                                                   << "当前订单已锁定，去解锁！"
                                                   << "0";
        QTest::newRow("lock") << "0"
                              << "1"
                              << "当前订单未锁定，去锁定！"
                              << "1";
    }

    void lockChangeAsksPostsAndSearchesAgain()
    {
        QFETCH(QString, islock);
        QFETCH(QString, lockedStatus);
        QFETCH(QString, question);
        QFETCH(QString, sent);
        openSearch({orderJson("1000", "0"), orderJson("1001", islock)});
        Config::locked_status = lockedStatus;
        Config::manager_id = QStringLiteral("5001");
        Config::super_id = QStringLiteral("900");

        m_prompts->answer(int(QMessageBox::No));
        emit table(m_window)->clicked(cell(1, 1));
        QCOMPARE(m_prompts->last().kind, PromptCall::Question);
        QCOMPARE(m_prompts->last().title, QStringLiteral("修改锁定状态"));
        QCOMPARE(m_prompts->last().text, question);
        QCOMPARE(m_prompts->last().defaultButton, QMessageBox::Yes);
        QTest::qWait(50);
        QVERIFY(m_backend->requests().isEmpty());

        m_prompts->answer(int(QMessageBox::Yes));
        emit table(m_window)->clicked(cell(1, 1));
        QVERIFY(waitUntil([&] { return requests("order", "ordermessage") == 1; }));
        const QList<StandInRequest> posted = m_backend->requests();
        QCOMPARE(posted.size(), 3);
        QCOMPARE(posted.at(0).endpoint(), QStringLiteral("order.lockchange"));
        QCOMPARE(posted.at(0).body,
            "token=" + Config::token.toUtf8()
                + "&order_photo_id=1001&shopid=101&superid=900&uid=5001&islock=" + sent.toUtf8());
        // The list is searched again: shop switch, then the order query.
        QCOMPARE(posted.at(1).endpoint(), QStringLiteral("loginnew.switch_shop"));
        QCOMPARE(posted.at(2).endpoint(), QStringLiteral("order.ordermessage"));
        QCOMPARE(m_prompts->count(), 2);
    }

    void lockChangeRefused_data()
    {
        QTest::addColumn<QJsonObject>("reply"); // empty: HTTP 500
        QTest::addColumn<QString>("box");
        QTest::newRow("refused") << QJsonObject {{"code", "0"}, {"message", "订单已提交，不能解锁"}}
                                 << "订单已提交，不能解锁";
        QTest::newRow("code as a number") << QJsonObject {{"code", 1}, {"message", "格式错误"}} << "格式错误";
        QTest::newRow("network error") << QJsonObject() << "网络请求错误\n500";
    }

    void lockChangeRefused()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(QString, box);
        openSearch({orderJson("1001", "1")});
        Config::locked_status = QStringLiteral("1");
        m_backend->setReply(
            "order", "lockchange", reply.isEmpty() ? StandInReply::httpStatus(500) : StandInReply::json(reply));
        emit table(m_window)->clicked(cell(0, 1));
        QVERIFY(waitUntil([&] { return m_prompts->count() == 2; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QCOMPARE(m_prompts->last().text, box);
        QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(m_prompts->last().defaultButton, QMessageBox::Yes);
        QTest::qWait(50);
        QCOMPARE(m_backend->requests().size(), 1); // no new search
    }

    void qualityCheckPendingKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("finished");
        QTest::addColumn<bool>("opens");
        QTest::newRow("pending") << "0" << false;
        QTest::newRow("passed") << "1" << true;
        QTest::newRow("empty") << "" << true;
    }

    void qualityCheckPendingKeepsTheWindow()
    {
        QFETCH(QString, finished);
        QFETCH(bool, opens);
        QJsonObject o = orderJson("1001", "0");
        o.insert("ishavepinguan", "1");
        o.insert("pinguanfinish", finished);
        openSearch({o});
        Config::order_id = QStringLiteral("before");
        doubleClick(0);
        QTest::qWait(20);
        QCOMPARE(topLevelWindows<SelectPhotoView>().size(), opens ? 1 : 0);
        QCOMPARE(m_window.isNull(), opens);
        QCOMPARE(Config::order_id, opens ? QStringLiteral("1001") : QStringLiteral("before"));
        QCOMPARE(m_prompts->texts(), opens ? QStringList() : QStringList {"未经品管，请联系数码部！"});
    }

    void openingCopiesTheOrderAndHandsOverTheList_data()
    {
        QTest::addColumn<QString>("shop");
        QTest::addColumn<QString>("islock");
        QTest::addColumn<int>("showMode");
        QTest::newRow("usual shop") << "101"
                                    << "0" << 4;
        QTest::newRow("big-picture shop, locked") << "3169"
                                                  << "1" << 1;
    }

    void openingCopiesTheOrderAndHandsOverTheList()
    {
        QFETCH(QString, shop);
        QFETCH(QString, islock);
        QFETCH(int, showMode);
        Config::ids = QStringList {shop};
        Config::shop_id = shop;
        openSearch({orderJson("1000", "0"), orderJson("1001", islock)});
        const QByteArray lastQuery = m_window->lastQueryBody;
        QVERIFY(!lastQuery.isEmpty());
        Config::chengpin_idx = 7;
        Config::order_otherdate = QStringLiteral("stale");

        doubleClick(1);
        QTRY_VERIFY_WITH_TIMEOUT(m_window.isNull(), 30000);
        struct Copied
        {
            const QString* target;
            const char* value;
        };
        const Copied copied[] = {{&Config::order_id, "1001"}, {&Config::orderOneId, "o-1001"},
            {&Config::orderServNum, "2"}, {&Config::order_cameraman, "陈摄影"},
            {&Config::order_photodate, "2026-02-20"}, {&Config::order_otherdate, ""},
            {&Config::orderpayforkey, "K-1001"}, {&Config::order_sheji, "吴设计"}, {&Config::order_tiaose, "周调色"},
            {&Config::order_chuxiu, "赵修片"}, {&Config::order_jingxiu, "孙精修"}, {&Config::order_dresser, "林化妆"},
            {&Config::order_selectdate, "2026-03-05"}, {&Config::user_type, "婚纱照"},
            {&Config::book_time, "2026-01-15 10:30:00"}, {&Config::order_sample_infoid, "s-1001"},
            {&ProductData::localOrderPath, ""}};
        for (const Copied& c : copied)
            QCOMPARE(*c.target, QString::fromUtf8(c.value));
        QCOMPARE(Config::isLocked, islock == "1");
        QCOMPARE(Config::show_mode, showMode);
        QCOMPARE(Config::chengpin_idx, 0);

        const QList<SelectPhotoView*> workspaces = topLevelWindows<SelectPhotoView>();
        QCOMPARE(workspaces.size(), 1);
        SelectPhotoView* w = workspaces.first();
        QVERIFY(w->isMaximized());
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(w->orderList.size(), 2);
        QCOMPARE(w->orderList.at(1).order_photo_id, QStringLiteral("1001"));
        QCOMPARE(w->lastQueryBody, lastQuery);
        // A locked order opens all the same, with its box first.
        const QString lockBox = QStringLiteral("该订单已锁定，仅能查看选片结果，如需修改请先解锁");
        QCOMPARE(m_prompts->texts().contains(lockBox), islock == "1");
    }

    // Replies and the N8 check's result still on their way when an order opens open nothing.
    void lateResultsOfTheClosedSearchOpenNothing()
    {
        openSearch({orderJson("1001", "0")});
        m_backend->setReply(
            "order", "ordermessage", StandInReply::json(QJsonObject {{"code", "0"}, {"message", "查询失败"}}).held());
        m_window->findChild<QPushButton*>("searchButton")->click();
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        // As the N8 check's worker delivers it: queued, by name.
        const QJsonArray reachable {QJsonObject {{"name", "旗舰店"}, {"n8path", "/tmp"}}};
        QMetaObject::invokeMethod(m_window, "slt_n8stores", Qt::QueuedConnection, Q_ARG(QJsonArray, reachable),
            Q_ARG(QString, QStringLiteral("分店")));

        doubleClick(0);
        m_backend->releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(m_window.isNull(), 30000);
        QTest::qWait(100);
        QCOMPARE(topLevelWindows<N8SyncBaseInfoDialog>().size(), 0);
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(topLevelWindows<SelectPhotoView>().size(), 1);
    }
};

QTEST_MAIN(TestOrderOpening)
#include "tst_orderopening.moc"
