#include "Calendar/scheduledialog.h"
#include "core/config.h"
#include "delivery/seturgency.h"
#include "photostore/productdata.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

namespace {

QJsonObject good(const QString& id, const QString& urgent, const QString& sent = QStringLiteral("0"))
{
    QJsonObject entry {{"id", id}, {"number", "N-" + id}, {"goodname", "产品" + id}, {"goodtype", "相册"},
        {"goodamount", "2"}, {"goodpnumber", "20"}, {"descr", ""}, {"isurgent", urgent}};
    if (!sent.isNull())
        entry.insert("sendtofactorytime", sent);
    return entry;
}

QJsonObject goodsReply(const QJsonArray& group0)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"order", QJsonObject {{"ordergoods0", group0}, {"ordergoods3", group0}}}};
}

QJsonObject orderReply(const QString& date, const QString& name, const QString& id)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"order",
            QJsonObject {{"isurgenttime", date}, {"urgentdatearea", QJsonObject {{"timeTxt", name}, {"timeId", id}}}}}};
}

Product panelProduct(const QString& id, const QString& urgent)
{
    Product p;
    p.id = id;
    p.goodname = QStringLiteral("面板") + id;
    p.isurgent = urgent;
    return p;
}

QStringList idsAndFlags(const QList<Product>& products)
{
    QStringList out;
    for (const Product& p : products)
        out << p.id + QLatin1Char(':') + p.isurgent;
    return out;
}

} // namespace

class TestSetUrgency : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<SetUrgency> m_window;

    // A window whose products and order replies have both been handled.
    SetUrgency* openWindow()
    {
        m_window = new SetUrgency(nullptr);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
        [&] { QVERIFY(postsAnswered()); }();
        return m_window;
    }

    bool postsAnswered()
    {
        return waitUntil([&] { return !m_window || m_window->findChildren<QNetworkAccessManager*>().isEmpty(); });
    }

    QTableWidget* table() { return m_window->findChild<QTableWidget*>(QStringLiteral("tableWidget")); }
    QPushButton* button(const char* name) { return m_window->findChild<QPushButton*>(QLatin1String(name)); }
    QString caption() { return button("allUrgencyButton")->text(); }

    void scriptOrder(const QJsonArray& group0, const QJsonObject& order = orderReply("2026-12-18", "14:00-18:00", "12"))
    {
        m_backend->setReply("order", "ordergoods", StandInReply::json(goodsReply(group0)));
        m_backend->setReply("order", "orderdetail", StandInReply::json(order));
    }

    QList<StandInRequest> urgencyPosts() { return m_backend->requestsTo("order", "updategoodstatus2"); }

    // The window's board opened by its button.
    QPointer<ScheduleDialog> openBoard()
    {
        m_window->on_pushButton_clicked();
        QPointer<ScheduleDialog> board;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<ScheduleDialog*>(w))
                board = d;
        return board;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        Config::order_id = QStringLiteral("1001");
        Config::shop_id = QStringLiteral("7");
        Config::super_id = QStringLiteral("3");
        Config::manager_id = QStringLiteral("501");
        Config::order_sample_infoid = QStringLiteral("30001");
    }

    void init()
    {
        m_backend.reset();
        ProductData::m_products = {panelProduct("p1", "0"), panelProduct("p2", "1")};
        ProductData::product_urgentdate = QStringLiteral("before");
        ProductData::product_urgentTime = QStringLiteral("before");
    }

    void cleanup()
    {
        delete m_window;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<ScheduleDialog*>(w))
                delete w;
        m_backend->releaseHeld();
    }

    void requestsOfTheWindow()
    {
        openWindow();
        const StandInRequest goods = m_backend->requestsTo("order", "ordergoods").value(0);
        QCOMPARE(goods.keys(), QStringList({"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        const StandInRequest detail = m_backend->requestsTo("order", "orderdetail").value(0);
        QCOMPARE(detail.keys(),
            QStringList({"token", "order_photo_id", "shopid", "companyid", "uid", "order_sample_infoid"}));
        QCOMPARE(detail.value("uid"), QStringLiteral("501"));
        // The demo order: three products of "ordergoods0", the urgent day of the order detail.
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->item(1, 2)->text(), QStringLiteral("6寸照片冲印"));
        QCOMPARE(table()->item(1, 4)->text(), QStringLiteral("10"));
        QCOMPARE(m_window->findChild<QLineEdit*>()->text(), QStringLiteral("2026-12-18 14:00-18:00"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("设置加急"));
    }

    void urgencyBody_data()
    {
        QTest::addColumn<QJsonArray>("goods");
        QTest::addColumn<bool>("isCleared");
        QTest::addColumn<QString>("isall");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("urgentdate");
        QTest::addColumn<QString>("areaid");
        const QJsonArray all {good("a", "1"), good("b", "1"), good("c", "1")};
        QTest::newRow("all urgent") << all << false << "1"
                                    << "a,b,c"
                                    << "2026-12-18"
                                    << "12";
        QTest::newRow("two of three") << QJsonArray {good("a", "1"), good("b", "0"), good("c", "1")} << false << "0"
                                      << "a,c"
                                      << "2026-12-18"
                                      << "12";
        QTest::newRow("cleared on the board") << all << true << "0"
                                              << ""
                                              << ""
                                              << "";
    }

    void urgencyBody()
    {
        QFETCH(QJsonArray, goods);
        QFETCH(bool, isCleared);
        scriptOrder(goods);
        openWindow();
        if (isCleared) {
            const QString before = caption();
            m_window->selJiajiSchedule(TimeSchedule());
            QCOMPARE(caption(), before);
            QCOMPARE(m_window->findChild<QLineEdit*>()->text(), QStringLiteral(" "));
            for (int row = 0; row < table()->rowCount(); ++row)
                QCOMPARE(table()->item(row, 0)->checkState(), Qt::Unchecked);
        }
        m_window->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return urgencyPosts().size() == 1; }));
        const StandInRequest post = urgencyPosts().first();
        QCOMPARE(post.keys(),
            QStringList({"token", "isall", "order_photo_id", "shopid", "urgentdate", "ids", "companyid", "uid",
                "order_sample_infoid", "urgentdateareaid"}));
        QTEST(post.value("isall"), "isall");
        QTEST(post.value("ids"), "ids");
        QTEST(post.value("urgentdate"), "urgentdate");
        QTEST(post.value("urgentdateareaid"), "areaid");
    }

    void refusedPostRestoresTheWindow_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        QTest::newRow("refused") << Failure::None << "提交加急信息错误：订单已锁定";
        QTest::newRow("http error") << Failure::HttpStatus << "网络请求错误\n500";
        QTest::newRow("not json") << Failure::NotJson << "";
        QTest::newRow("array") << Failure::Array << "";
    }

    void refusedPostRestoresTheWindow()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        scriptOrder({good("a", "1")});
        scriptEndpoint(
            m_backend, "order", "updategoodstatus2", failure, QJsonObject {{"code", "0"}, {"message", "订单已锁定"}});
        openWindow();
        QSignalSpy refresh(m_window.data(), &SetUrgency::refreshOriTable);
        PromptRecorder prompts;
        m_window->on_confirmButton_clicked();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("正在上传..."));
        QVERIFY(!button("confirmButton")->isEnabled());
        QVERIFY(postsAnswered());

        QCOMPARE(m_window->windowTitle(), QStringLiteral("设置加急"));
        QVERIFY(button("confirmButton")->isEnabled());
        QVERIFY(m_window->isVisible());
        QCOMPARE(refresh.size(), 0);
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        // Only an accepted urgency becomes the order's.
        QCOMPARE(ProductData::product_urgentdate, QStringLiteral("before"));
        QCOMPARE(ProductData::product_urgentTime, QStringLiteral("before"));
    }

    void acceptedPostIsTheOrdersUrgency()
    {
        scriptOrder({good("a", "1")});
        openWindow();
        QSignalSpy refresh(m_window.data(), &SetUrgency::refreshOriTable);
        m_window->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return m_window.isNull(); }));
        QCOMPARE(ProductData::product_urgentdate, QStringLiteral("2026-12-18"));
        QCOMPARE(ProductData::product_urgentTime, QStringLiteral("14:00-18:00"));
        QVERIFY(refresh.size() >= 1);
    }

    void panelListIsNeverWritten()
    {
        const QStringList panel = idsAndFlags(ProductData::m_products);
        openWindow(); // the demo order's "ordergoods0"
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(idsAndFlags(ProductData::m_products), panel);
        m_window->on_allUrgencyButton_clicked();
        m_window->selJiajiSchedule(TimeSchedule {"2026-12-20", "09:00-12:00", "11"});
        QCOMPARE(idsAndFlags(ProductData::m_products), panel);
        m_window->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return m_window.isNull(); }));
        QCOMPARE(urgencyPosts().first().value("ids"), QStringLiteral("80011,80015"));
        QCOMPARE(idsAndFlags(ProductData::m_products), panel);
    }

    void orderWithoutGroup0UsesThePanelsProducts()
    {
        ProductData::m_products = {panelProduct("p1", "1"), panelProduct("p2", "1")};
        scriptOrder({});
        openWindow();
        QCOMPARE(table()->rowCount(), 0);
        QCOMPARE(caption(), QStringLiteral("取消加急"));
        m_window->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return urgencyPosts().size() == 1; }));
        QCOMPARE(urgencyPosts().first().value("ids"), QStringLiteral("p1,p2"));
        QCOMPARE(urgencyPosts().first().value("isall"), QStringLiteral("1"));
    }

    void checkBoxesAndToggleAll()
    {
        // Two urgent of three; the third has no factory time and so counts as sent.
        scriptOrder({good("a", "1"), good("b", "1"), good("c", "0", QString())});
        openWindow();
        QTableWidgetItem* sent = table()->item(2, 0);
        QCOMPARE(sent->flags(), Qt::ItemIsEnabled | Qt::ItemIsSelectable);

        table()->item(0, 0)->setCheckState(Qt::Unchecked);
        m_window->on_tableWidget_itemClicked(table()->item(0, 0));
        QCOMPARE(caption(), QStringLiteral("全套加急"));
        sent->setCheckState(Qt::Checked); // as a stray click would: ignored for a sent product
        m_window->on_tableWidget_itemClicked(sent);

        m_window->on_allUrgencyButton_clicked();
        QCOMPARE(caption(), QStringLiteral("取消加急"));
        QCOMPARE(table()->item(0, 0)->checkState(), Qt::Checked);
        QCOMPARE(table()->item(1, 0)->checkState(), Qt::Checked);
        QCOMPARE(table()->item(2, 0)->checkState(), Qt::Unchecked);
        m_window->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return urgencyPosts().size() == 1; }));
        QCOMPARE(urgencyPosts().first().value("ids"), QStringLiteral("a,b"));
        QCOMPARE(urgencyPosts().first().value("isall"), QStringLiteral("0"));
    }

    void localChecks_data()
    {
        QTest::addColumn<QJsonArray>("goods");
        QTest::addColumn<QJsonObject>("order");
        QTest::addColumn<QString>("box");
        QTest::newRow("urgent without a period")
            << QJsonArray {good("a", "1")} << orderReply("", "", "") << "请选择加急日期和时间段";
        QTest::newRow("urgent without a period id")
            << QJsonArray {good("a", "1")} << orderReply("2026-12-18", "14:00-18:00", "") << "请选择加急日期和时间段";
        QTest::newRow("period without a product")
            << QJsonArray {good("a", "0")} << orderReply("2026-12-18", "14:00-18:00", "12") << "请选择要加急的产品";
    }

    void localChecks()
    {
        QFETCH(QJsonArray, goods);
        QFETCH(QJsonObject, order);
        QFETCH(QString, box);
        scriptOrder(goods, order);
        openWindow();
        PromptRecorder prompts;
        m_window->on_confirmButton_clicked();
        QCOMPARE(prompts.texts(), QStringList {box});
        QCOMPARE(m_window->windowTitle(), QStringLiteral("设置加急"));
        QVERIFY(button("confirmButton")->isEnabled());
        QVERIFY(postsAnswered());
        QVERIFY(urgencyPosts().isEmpty());
    }

    void returnWhilePostingSendsOnce()
    {
        scriptOrder({good("a", "1")});
        scriptEndpoint(m_backend, "order", "updategoodstatus2", Failure::Held, QJsonObject {{"code", "1"}});
        openWindow();
        m_window->on_confirmButton_clicked();
        emit m_window->findChild<QShortcut*>()->activated();
        // Each post has a manager of its own from the moment it is sent.
        QCOMPARE(m_window->findChildren<QNetworkAccessManager*>().size(), 1);
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return m_window.isNull(); }));
        QCOMPARE(urgencyPosts().size(), 1);
    }

    void boardChoosesTheDay()
    {
        openWindow();
        QPointer<ScheduleDialog> board = openBoard();
        QVERIFY(board);
        QVERIFY(board->isModal());
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("Getphoto", "getDateDutyGetPhotoarea").size() == 1; }));
        // Opened on the order's urgent day.
        QCOMPARE(m_backend->requestsTo("Getphoto", "getDateDutyGetPhotoarea").first().value("day"),
            QStringLiteral("2026-12-18"));
        emit board->selectedScehduleSgnl(TimeSchedule {"2026-12-21", "18:30-21:00", "13"});
        QCOMPARE(m_window->findChild<QLineEdit*>()->text(), QStringLiteral("2026-12-21 18:30-21:00"));
        QVERIFY(waitUntil([&] { return board.isNull(); }));
    }

    void closingClosesTheBoard()
    {
        openWindow();
        QSignalSpy refresh(m_window.data(), &SetUrgency::refreshOriTable);
        QPointer<ScheduleDialog> board = openBoard();
        QVERIFY(board);
        m_window->close();
        QCOMPARE(refresh.size(), 1);
        QVERIFY(!board->isVisible());
        // Closed inside the window's close event: deleted once control is back at the top level.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(board.isNull());
        QVERIFY(m_window.isNull());
    }
};

QTEST_MAIN(TestSetUrgency)
#include "tst_seturgency.moc"
