#include "core/config.h"
#include "core/deployment.h"
#include "order/searchorder.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/windowposts.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

const QDate kDate(2026, 3, 5);

QJsonObject orderJson(const QString& key, const QString& islock = QStringLiteral("0"))
{
    return QJsonObject {{"islock", islock}, {"order_photo_id", "p-" + key}, {"orderid", "o-" + key},
        {"servicetimes", "1"}, {"storesname", "旗舰店"}, {"bname", "李明"}, {"wname", "王芳"}, {"mname", ""},
        {"mphone", "13800001001"}, {"wphone", ""}, {"comboid", "套系A"}, {"order_price", "6999.00"}, {"role1", "摄影"},
        {"role2", "化妆"}, {"orderpayforkey", key}, {"sampledate", "2026-03-05"}, {"sampletime", "上午"},
        {"role12finish", ""}, {"role12", "选片"}, {"role7", "对比"}, {"role8", "样后"}, {"role9", "精修"},
        {"role10", "设计师"}};
}

QJsonObject reply(const QJsonArray& orders, const QString& comboName = "1", const QString& comboPrice = "1")
{
    QJsonObject r {{"code", "1"}, {"message", ""}, {"order", orders}, {"photo_sort", "1"}};
    if (!comboName.isNull())
        r.insert("iscomboname", comboName);
    if (!comboPrice.isNull())
        r.insert("iscomboprice", comboPrice);
    return r;
}

// Stands in for a window manager around a hide and show: records the states the window
// asks for once shown again, and can forget the window's state (or a normal window's place)
// when it is hidden, as one does for a withdrawn window.
class WindowManagerWatch : public QObject
{
public:
    WindowManagerWatch(QWidget* window, bool isForgettingOnHide)
        : m_window(window)
        , m_isForgettingOnHide(isForgettingOnHide)
    {
        m_window->installEventFilter(this);
    }

    // The states asked for after the window was shown again, in order.
    QList<Qt::WindowStates> askedAfterShow() const { return m_asked; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && m_isForgettingOnHide) {
            if (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
                m_window->setWindowState(Qt::WindowNoState);
            else
                m_window->setGeometry(0, 0, 823, 607);
        } else if (event->type() == QEvent::Show) {
            m_isShown = true;
            m_asked.clear();
        } else if (event->type() == QEvent::WindowStateChange && m_isShown) {
            m_asked << m_window->windowState();
        }
        return false;
    }

private:
    QWidget* m_window;
    bool m_isForgettingOnHide;
    bool m_isShown = false;
    QList<Qt::WindowStates> m_asked;
};

} // namespace

class TestSearchOrder : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    std::unique_ptr<PromptRecorder> m_prompts;

    static QPushButton* searchButton(SearchOrder* w) { return w->findChild<QPushButton*>("searchButton"); }
    static QComboBox* typeCombo(SearchOrder* w) { return w->findChild<QComboBox*>("comboBox"); }
    static QComboBox* shopCombo(SearchOrder* w) { return w->findChild<QComboBox*>("comboBox_shops"); }
    static QLineEdit* textEdit(SearchOrder* w) { return w->findChild<QLineEdit*>("orderNumber"); }
    static QTableView* table(SearchOrder* w) { return w->findChild<QTableView*>("tableView"); }
    static QAbstractItemModel* tableModel(SearchOrder* w) { return table(w)->model(); }

    static QStringList headers(SearchOrder* w)
    {
        QStringList out;
        QAbstractItemModel* m = tableModel(w);
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->headerData(c, Qt::Horizontal).toString();
        return out;
    }

    std::unique_ptr<SearchOrder> makeWindow()
    {
        std::unique_ptr<SearchOrder> w(new SearchOrder());
        w->findChild<QCalendarWidget*>("calendar")->setSelectedDate(kDate);
        return w;
    }

    int queries() { return m_backend->requestsTo("order", "ordermessage").size(); }

    // Clicks 检索 and waits until the order query has been posted and its reply handled.
    void searchAndWait(SearchOrder* w)
    {
        const int before = queries();
        searchButton(w)->click();
        QVERIFY(waitUntil([&] { return queries() == before + 1; }));
        QVERIFY(waitUntil([&] { return searchButton(w)->isEnabled(); }));
        QCOMPARE(searchButton(w)->text(), QStringLiteral("检索"));
    }

    QByteArray token() const { return "token=" + Config::token.toUtf8(); }

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init()
    {
        m_backend.reset();
        m_prompts.reset(new PromptRecorder);
        Config::uid = QStringLiteral("8001");
        Config::names = QStringList {QStringLiteral("旗舰店"), QStringLiteral("分店")};
        Config::ids = QStringList {QStringLiteral("101"), QStringLiteral("102")};
        Config::shop_id.clear();
        // The values the shop-switch fixture hands out.
        Config::manager_id = QStringLiteral("5001");
        Config::super_id = QStringLiteral("900");
    }

    void cleanup()
    {
        m_prompts.reset();
        Deployment::setRequestTimeoutMs(30000);
    }

    // The window's own boxes: one Yes button, also the default.
    static void verifyYesBox(const PromptCall& call)
    {
        QCOMPARE(call.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(call.defaultButton, QMessageBox::Yes);
    }

    void freshWindowShowsDefaults()
    {
        auto w = makeWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("检索订单"));
        QCOMPARE(typeCombo(w.get())->currentIndex(), 2);
        QCOMPARE(typeCombo(w.get())->currentText(), QStringLiteral("选片日期"));
        QCOMPARE(typeCombo(w.get())->count(), 7);
        QCOMPARE(headers(w.get()),
            (QStringList {"预约单号", "锁定状态", "所属门店", "服务次数", "客人姓名", "电话", "套系", "套系金额",
                "选片日期", "选片时段", "选片完成日期", "选片师", "摄影师", "化妆师", "样前对比片", "样后修片", "精修",
                "设计"}));
        QCOMPARE(tableModel(w.get())->rowCount(), 0);
        QCOMPARE(Config::shop_id, QStringLiteral("101"));
        QCOMPARE(shopCombo(w.get())->count(), 2);
        QVERIFY(w->findChild<QGroupBox*>("gb_n8")->isHidden());
        QVERIFY(w->findChild<QPushButton*>("cancelButton")->isHidden());
        QVERIFY(w->findChild<QPushButton*>("selectPathButton")->isHidden());
        QVERIFY(w->findChild<QLineEdit*>("pathLineEdit")->isHidden());
        QVERIFY(searchButton(w.get())->isDefault());
        QVERIFY(Config::bigImgShopIds.contains(QStringLiteral("3169")));
        QVERIFY(w->isReload == false && w->orderList.isEmpty() && w->lastQueryBody.isEmpty());
        QCOMPARE(m_prompts->count(), 0);
        QVERIFY(m_backend->requests().isEmpty());
    }

    void shopFollowsConfigAndTheComboAtTheClick()
    {
        Config::shop_id = QStringLiteral("102");
        auto w = makeWindow();
        QCOMPARE(shopCombo(w.get())->currentIndex(), 1);
        QVERIFY(!w->findChild<QGroupBox*>("gb_n8")->isHidden());
        searchAndWait(w.get());
        QCOMPARE(m_backend->requests().at(0).endpoint(), QStringLiteral("loginnew.switch_shop"));
        QCOMPARE(m_backend->requests().at(0).body, token() + "&uid=8001&shopid=102");
        QCOMPARE(m_backend->requests().at(1).value("shopid"), QStringLiteral("102"));

        // Changing the combo does nothing until the following click.
        shopCombo(w.get())->setCurrentIndex(0);
        QCOMPARE(Config::shop_id, QStringLiteral("102"));
        searchAndWait(w.get());
        QCOMPARE(Config::shop_id, QStringLiteral("101"));
        QCOMPARE(m_backend->requests().at(2).value("shopid"), QStringLiteral("101"));
        QCOMPARE(m_backend->requests().at(3).value("shopid"), QStringLiteral("101"));

        // An id the user no longer has falls back to the first shop.
        Config::shop_id = QStringLiteral("999");
        auto other = makeWindow();
        QCOMPARE(shopCombo(other.get())->currentIndex(), 0);
        QCOMPARE(Config::shop_id, QStringLiteral("101"));
    }

    void queryBodies_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rest");  // the body after the token
        QTest::addColumn<QString>("sentText"); // decoded "orderpayforkey" as the back end reads it

        QTest::newRow("order number trimmed, plus kept")
            << 0 << "  A+B 01 " << QByteArray("&uid=5001&shopid=101&type=1&orderpayforkey=A%2BB%2001&companyid=900")
            << "A+B 01";
        QTest::newRow("order number of blanks")
            << 0 << "   " << QByteArray("&uid=5001&shopid=101&type=1&orderpayforkey=&companyid=900") << "";
        QTest::newRow("photo date") << 1 << "ignored"
                                    << QByteArray("&uid=5001&shopid=101&type=2&photodate=2026-03-05&companyid=900")
                                    << "";
        QTest::newRow("select date") << 2 << ""
                                     << QByteArray(
                                            "&shopid=101&type=3&uid=5001&selectphotodate=2026-03-05&companyid=900")
                                     << "";
        QTest::newRow("appointment date")
            << 3 << "" << QByteArray("&shopid=101&type=4&selectphotodate=2026-03-05&uid=5001&companyid=900") << "";
        QTest::newRow("delivery date") << 4 << ""
                                       << QByteArray(
                                              "&shopid=101&type=5&uid=5001&selectphotodate=2026-03-05&companyid=900")
                                       << "";
        QTest::newRow("name with & and +")
            << 5 << " 李&王+张 "
            << QByteArray("&uid=5001&shopid=101&type=6&orderpayforkey=%E6%9D%8E%26%E7%8E%8B%2B%E5%BC%A0&companyid=900")
            << "李&王+张";
        QTest::newRow("phone") << 6 << "\t13800001001\n"
                               << QByteArray("&uid=5001&shopid=101&type=7&orderpayforkey=13800001001&companyid=900")
                               << "13800001001";
    }

    void queryBodies()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(QByteArray, rest);
        QFETCH(QString, sentText);
        auto w = makeWindow();
        typeCombo(w.get())->setCurrentIndex(type);
        textEdit(w.get())->setText(text);
        searchAndWait(w.get());

        const QList<StandInRequest> requests = m_backend->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0).endpoint(), QStringLiteral("loginnew.switch_shop"));
        QCOMPARE(requests.at(0).body, token() + "&uid=8001&shopid=101");
        QCOMPARE(requests.at(1).endpoint(), QStringLiteral("order.ordermessage"));
        QCOMPARE(requests.at(1).body, token() + rest);
        QCOMPARE(w->lastQueryBody, token() + rest);
        if (type == 0 || type >= 5)
            QCOMPARE(requests.at(1).value("orderpayforkey"), sentText);
        QCOMPARE(m_prompts->count(), 0);
    }

    void emptyTextIsRefused_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::newRow("order number") << 0 << "请输入订单号";
        QTest::newRow("name") << 5 << "请输入姓名";
        QTest::newRow("phone") << 6 << "请输入电话";
    }

    void emptyTextIsRefused()
    {
        QFETCH(int, type);
        QFETCH(QString, message);
        auto w = makeWindow();
        typeCombo(w.get())->setCurrentIndex(type);
        searchButton(w.get())->click();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QCOMPARE(m_prompts->last().text, message);
        QTest::qWait(50);
        QCOMPARE(m_backend->endpointsCalled(), QStringList {"loginnew.switch_shop"});
        QVERIFY(searchButton(w.get())->isEnabled());
        QCOMPARE(searchButton(w.get())->text(), QStringLiteral("检索"));
    }

    void buttonIsBusyWhileTheQueryIsPending()
    {
        m_backend->setReply("order", "ordermessage", StandInReply::json(reply({orderJson("A")})).held());
        auto w = makeWindow();
        searchButton(w.get())->click();
        QVERIFY(searchButton(w.get())->isEnabled()); // not during the shop switch
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        QCOMPARE(searchButton(w.get())->text(), QStringLiteral("检索中..."));
        QVERIFY(!searchButton(w.get())->isEnabled());
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return searchButton(w.get())->isEnabled(); }));
        QCOMPARE(searchButton(w.get())->text(), QStringLiteral("检索"));
        QCOMPARE(tableModel(w.get())->rowCount(), 1);
    }

    void reloadPostsTheStoredBody()
    {
        auto w = makeWindow();
        const QByteArray stored = token() + "&uid=5001&shopid=101&type=1&orderpayforkey=DEMO-1001&companyid=900";
        w->lastQueryBody = stored;
        w->isReload = true;
        w->ReloadTableView();
        QCOMPARE(searchButton(w.get())->text(), QStringLiteral("检索"));
        QVERIFY(waitUntil([&] { return queries() == 1; }));
        QCOMPARE(m_backend->requests().at(0).body, stored);
        QVERIFY(waitUntil([&] { return tableModel(w.get())->rowCount() > 0; }));

        // The first click after a return repeats the stored query once ...
        typeCombo(w.get())->setCurrentIndex(5);
        textEdit(w.get())->setText(QStringLiteral("周杰"));
        searchAndWait(w.get());
        QCOMPARE(m_backend->requests().last().body, stored);
        QVERIFY(!w->isReload);
        // ... and the next one runs the query of the window.
        searchAndWait(w.get());
        QCOMPARE(m_backend->requests().last().value("type"), QStringLiteral("6"));
        QCOMPARE(m_backend->requests().last().value("orderpayforkey"), QStringLiteral("周杰"));
    }

    void columnsFollowThePackageFlags_data()
    {
        QTest::addColumn<QString>("comboName");
        QTest::addColumn<QString>("comboPrice");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("column6");
        QTest::addColumn<QString>("cell6");
        QTest::newRow("both") << "1"
                              << "1" << 18 << "套系"
                              << "套系A";
        QTest::newRow("name only, price missing") << "1" << QString() << 17 << "套系"
                                                  << "套系A";
        QTest::newRow("price only") << "0"
                                    << "1" << 17 << "套系金额"
                                    << "6999.00";
        QTest::newRow("neither") << ""
                                 << "0" << 16 << "选片日期"
                                 << "2026-03-05";
    }

    void columnsFollowThePackageFlags()
    {
        QFETCH(QString, comboName);
        QFETCH(QString, comboPrice);
        QFETCH(int, columns);
        QFETCH(QString, column6);
        QFETCH(QString, cell6);
        m_backend->setReply("order", "ordermessage",
            StandInReply::json(reply({orderJson("A", "1"), orderJson("B")}, comboName, comboPrice)));
        auto w = makeWindow();
        searchAndWait(w.get());
        QAbstractItemModel* m = tableModel(w.get());
        QCOMPARE(m->columnCount(), columns);
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(headers(w.get()).at(6), column6);
        QCOMPARE(headers(w.get()).last(), QStringLiteral("设计"));
        QCOMPARE(m->index(0, 6).data().toString(), cell6);
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("A"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("已锁定"));
        QCOMPARE(m->index(1, 1).data().toString(), QStringLiteral("去锁定"));
        QCOMPARE(m->index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(30, 144, 255));
        QCOMPARE(m->index(0, 4).data().toString(), QStringLiteral("李明-王芳"));
        QCOMPARE(m->index(0, columns - 1).data().toString(), QStringLiteral("设计师"));
        QCOMPARE(m->index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QVERIFY(m->index(0, columns - 1).data(Qt::TextAlignmentRole).toInt() != int(Qt::AlignCenter));
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable)
            || table(w.get())->editTriggers() == QAbstractItemView::NoEditTriggers);
    }

    void orderRecordsFromTheReply()
    {
        auto names = [](const QString& b, const QString& w, const QString& m, const QString& mp, const QString& wp) {
            QJsonObject o = orderJson("X");
            o["bname"] = b;
            o["wname"] = w;
            o["mname"] = m;
            o["mphone"] = mp;
            o["wphone"] = wp;
            return o;
        };
        QJsonObject numberLock = orderJson("N");
        numberLock["islock"] = 1;
        numberLock["servicetimes"] = 2; // a number reads as empty text
        QJsonArray orders {names("B", "", "", "", "Q"), names("", "W", "M", "P", "Q"), names("B", "W", "M", "P", ""),
            names("B", "", "M", "", ""), names("", "", "", "", ""), numberLock, QJsonValue("junk")};
        m_backend->setReply("order", "ordermessage", StandInReply::json(reply(orders)));
        auto w = makeWindow();
        searchAndWait(w.get());
        const QList<order>& list = w->orderList;
        QCOMPARE(list.size(), 7);
        const QStringList expectedNames {"B", "W-M", "B-W-M", "B-M", "", "李明-王芳", ""};
        const QStringList expectedPhones {"Q", "P/Q", "P", "", "", "13800001001", ""};
        for (int i = 0; i < list.size(); ++i) {
            QCOMPARE(list.at(i).name, expectedNames.at(i));
            QCOMPARE(list.at(i).phone, expectedPhones.at(i));
        }
        QVERIFY(!list.at(5).islock);
        QCOMPARE(list.at(5).servicetimes, QString());
        QCOMPARE(tableModel(w.get())->index(5, 1).data().toString(), QStringLiteral("去锁定"));
        QCOMPARE(list.at(0).order_photo_id, QStringLiteral("p-X"));
        QCOMPARE(list.at(0).orderid, QStringLiteral("o-X"));
        QCOMPARE(list.at(0).dresser, QStringLiteral("化妆"));
        QVERIFY(list.at(0).otherdate.isEmpty());
        QVERIFY(list.at(6).orderpayforkey.isEmpty() && !list.at(6).islock);
        QCOMPARE(tableModel(w.get())->rowCount(), 7);
    }

    void fixtureOrdersAreComplete()
    {
        auto w = makeWindow();
        searchAndWait(w.get());
        QVERIFY(w->orderList.size() >= 4);
        const order& demo = w->orderList.first();
        QCOMPARE(demo.orderpayforkey, QStringLiteral("DEMO-1001"));
        QCOMPARE(demo.order_sample_infoid, QStringLiteral("30001"));
        QCOMPARE(demo.selectphotodate, QStringLiteral("2026-03-05"));
        bool locked = false, unlocked = false, pendingCheck = false;
        for (const order& o : w->orderList) {
            (o.islock ? locked : unlocked) = true;
            pendingCheck |= o.ishavepinguan == "1" && o.pinguanfinish == "0";
        }
        QVERIFY(locked && unlocked && pendingCheck);
        QCOMPARE(Config::showfurniturebutton, QStringLiteral("1"));
        QCOMPARE(Config::showidphoto, QStringLiteral("0"));
    }

    void photoSortSetsTheOrderMode_data()
    {
        QTest::addColumn<QJsonValue>("photoSort");
        QTest::addColumn<int>("mode");
        QTest::newRow("0") << QJsonValue("0") << 0;
        QTest::newRow("1") << QJsonValue("1") << 2;
        QTest::newRow("number 0") << QJsonValue(0) << 2;
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined) << 2;
    }

    void photoSortSetsTheOrderMode()
    {
        QFETCH(QJsonValue, photoSort);
        QFETCH(int, mode);
        QJsonObject r = reply({orderJson("A")});
        r.remove("photo_sort");
        if (!photoSort.isUndefined())
            r.insert("photo_sort", photoSort);
        r.insert("showdesign", "1");
        r.insert("showkjxway", 3);
        m_backend->setReply("order", "ordermessage", StandInReply::json(r));
        Config::orderMode = 1;
        Config::showkjxway = QStringLiteral("old");
        auto w = makeWindow();
        searchAndWait(w.get());
        QCOMPARE(Config::orderMode, mode);
        QCOMPARE(Config::showdesign, QStringLiteral("1"));
        QCOMPARE(Config::showkjxway, QString()); // not text: empty
    }

    void failedRepliesKeepTheTable_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << Failure::None
                                 << QJsonObject {{"code", "0"}, {"message", "没有权限查看该门店订单"},
                                        {"order", QJsonArray()}}
                                 << "警告"
                                 << "查询订单错误：没有权限查看该门店订单";
        QTest::newRow("code as number") << Failure::None << QJsonObject {{"code", 1}, {"message", "数字代码"}} << "警告"
                                        << "查询订单错误：数字代码";
        QTest::newRow("http 500") << Failure::HttpStatus << QJsonObject() << "警告"
                                  << "网络请求错误\n500";
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << ""
                                  << "";
        QTest::newRow("array") << Failure::Array << QJsonObject() << ""
                               << "";
    }

    void failedRepliesKeepTheTable()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, title);
        QFETCH(QString, message);
        m_backend->setReply("order", "ordermessage", StandInReply::json(reply({orderJson("A"), orderJson("B")})));
        auto w = makeWindow();
        searchAndWait(w.get());
        QCOMPARE(tableModel(w.get())->rowCount(), 2);

        scriptEndpoint(m_backend, "order", "ordermessage", failure, answer);
        searchAndWait(w.get());
        if (title.isEmpty()) {
            QCOMPARE(m_prompts->count(), 0);
        } else {
            QCOMPARE(m_prompts->count(), 1);
            QCOMPARE(m_prompts->last().title, title);
            QCOMPARE(m_prompts->last().text, message);
            verifyYesBox(m_prompts->last());
        }
        QCOMPARE(tableModel(w.get())->rowCount(), 2);
        QCOMPARE(w->orderList.size(), 2);
    }

    void emptyResultEmptiesTheTable_data()
    {
        QTest::addColumn<QJsonValue>("orders");
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined);
        QTest::newRow("empty") << QJsonValue(QJsonArray());
        QTest::newRow("not an array") << QJsonValue("none");
    }

    void emptyResultEmptiesTheTable()
    {
        QFETCH(QJsonValue, orders);
        auto w = makeWindow();
        searchAndWait(w.get());
        QVERIFY(tableModel(w.get())->rowCount() > 0);
        QJsonObject r = reply(QJsonArray(), "0", "0");
        r.remove("order");
        if (!orders.isUndefined())
            r.insert("order", orders);
        m_backend->setReply("order", "ordermessage", StandInReply::json(r));
        searchAndWait(w.get());
        QCOMPARE(m_prompts->count(), 1);
        QCOMPARE(m_prompts->last().title, QStringLiteral("提示"));
        QCOMPARE(m_prompts->last().text, QStringLiteral("没有查询到任何订单"));
        QCOMPARE(tableModel(w.get())->rowCount(), 0);
        QCOMPARE(tableModel(w.get())->columnCount(), 16);
        QVERIFY(w->orderList.isEmpty());
    }

    void columnWidthsFollowTheTableWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("expected"); // columns 0, 1, 5, 7, 15
        // 1000: 0.12 x 1000 < 130, so R = 870; 1100: 0.12 x 1100 = 132.
        QTest::newRow("1000") << 1000 << QList<int> {130, 43, 78, 73, 73};
        QTest::newRow("1100") << 1100 << QList<int> {132, 55, 132, 82, -1};
    }

    void columnWidthsFollowTheTableWidth()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, expected);
        auto w = makeWindow();
        QTableView* view = table(w.get());
        view->setFixedWidth(width);
        QCOMPARE(view->width(), width);
        const int before15 = view->columnWidth(15);
        QPaintEvent paint(QRect(0, 0, 10, 10));
        QCoreApplication::sendEvent(w.get(), &paint);
        QCOMPARE(view->columnWidth(0), expected.at(0));
        QCOMPARE(view->columnWidth(1), expected.at(1));
        QCOMPARE(view->columnWidth(5), expected.at(2));
        QCOMPARE(view->columnWidth(7), expected.at(3));
        QCOMPARE(view->columnWidth(15), expected.at(4) < 0 ? before15 : expected.at(4));
    }

    // Choosing a search type or a shop hides and shows the window: it comes back as it was.
    void choosingKeepsTheWindowState_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("isForgottenOnHide");
        const struct
        {
            const char* name;
            Qt::WindowState state;
        } states[] = {
            {"maximised", Qt::WindowMaximized}, {"full screen", Qt::WindowFullScreen}, {"normal", Qt::WindowNoState}};
        for (const char* combo : {"comboBox", "comboBox_shops"}) {
            for (const auto& s : states) {
                for (bool isForgotten : {true, false}) {
                    // A normal window's place is all there is to forget, and that only on hide.
                    if (!isForgotten && s.state == Qt::WindowNoState)
                        continue;
                    const QByteArray name = QByteArray(combo) + ", " + s.name
                        + (isForgotten ? ", forgotten on hide" : ", forgotten later");
                    QTest::newRow(name.constData()) << combo << int(s.state) << isForgotten;
                }
            }
        }
    }

    void choosingKeepsTheWindowState()
    {
        QFETCH(QString, combo);
        QFETCH(int, state);
        QFETCH(bool, isForgottenOnHide);
        const Qt::WindowStates wanted(state);
        const QRect normal(60, 40, 1000, 700);
        auto w = makeWindow();
        if (wanted & Qt::WindowFullScreen) {
            w->showFullScreen();
        } else if (wanted & Qt::WindowMaximized) {
            w->showMaximized();
        } else {
            w->setGeometry(normal);
            w->show();
        }
        QCOMPARE(w->windowState(), wanted);
        if (wanted == Qt::WindowNoState)
            QCOMPARE(w->geometry(), normal);

        WindowManagerWatch manager(w.get(), isForgottenOnHide);
        QComboBox* box = w->findChild<QComboBox*>(combo);
        emit box->activated(box->currentIndex());
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowState(), wanted);
        if (wanted == Qt::WindowNoState) {
            QCOMPARE(w->geometry(), normal);
        } else {
            // A window manager reports the forgotten state only after the show, so the
            // window must ask for its state again once shown.
            QVERIFY(!manager.askedAfterShow().isEmpty());
            QCOMPARE(manager.askedAfterShow().last(), wanted);
        }
    }

    void shopSwitchFailuresStopTheSearch_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "用户已停用"}}
                                 << "查询订单错误：用户已停用";
        QTest::newRow("http 500") << Failure::HttpStatus << QJsonObject() << "网络请求错误\n500";
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << "";
    }

    void shopSwitchFailuresStopTheSearch()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, message);
        scriptEndpoint(m_backend, "loginnew", "switch_shop", failure, answer);
        auto w = makeWindow();
        searchButton(w.get())->click();
        QVERIFY(waitUntil([&] { return m_backend->requests().size() == 1; }));
        QVERIFY(postsAnswered(w.get()));
        QCOMPARE(m_prompts->texts(), message.isEmpty() ? QStringList() : QStringList {message});
        if (!message.isEmpty())
            verifyYesBox(m_prompts->last());
        QTest::qWait(50);
        QCOMPARE(queries(), 0);
        QVERIFY(searchButton(w.get())->isEnabled());
    }

    // A back end that takes the post and never answers: the post times out as a network error.
    void silentBackendTimesOut_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("busyMeanwhile");
        QTest::newRow("order query") << "order"
                                     << "ordermessage" << true;
        QTest::newRow("shop switch") << "loginnew"
                                     << "switch_shop" << false;
    }

    void silentBackendTimesOut()
    {
        QFETCH(QString, module);
        QFETCH(QString, action);
        QFETCH(bool, busyMeanwhile);
        m_backend->setReply(module, action, StandInReply::json(reply({orderJson("A")})).held());
        Deployment::setRequestTimeoutMs(300);
        auto w = makeWindow();
        searchButton(w.get())->click();
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        if (busyMeanwhile) {
            QCOMPARE(searchButton(w.get())->text(), QStringLiteral("检索中..."));
            QVERIFY(!searchButton(w.get())->isEnabled());
        }
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QCOMPARE(m_prompts->last().text, QStringLiteral("网络请求错误\n"));
        verifyYesBox(m_prompts->last());
        QCOMPARE(searchButton(w.get())->text(), QStringLiteral("检索"));
        QVERIFY(searchButton(w.get())->isEnabled());
        QCOMPARE(tableModel(w.get())->rowCount(), 0);
        m_backend->releaseHeld();
        QTest::qWait(50);
        QCOMPARE(m_prompts->count(), 1);
        QCOMPARE(tableModel(w.get())->rowCount(), 0);
    }

    void noShopsMeansNoSearch()
    {
        Config::names.clear();
        Config::ids.clear();
        Config::shop_id = QStringLiteral("101");
        auto w = makeWindow();
        QVERIFY(Config::shop_id.isEmpty());
        QVERIFY(!searchButton(w.get())->isEnabled());
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QVERIFY(m_prompts->last().text.contains(QStringLiteral("门店")));
        w->clickSearch(); // as a lock change would
        QCOMPARE(m_prompts->count(), 2);
        QTest::qWait(50);
        QVERIFY(m_backend->requests().isEmpty());
    }
};

QTEST_MAIN(TestSearchOrder)
#include "tst_searchorder.moc"
