#include "core/jsontext.h"
#include "delivery/setexpressaddress.h"
#include "delivery/setproexpress.h"
#include "delivery/settingemsdialog.h"
#include "delivery/seturgency.h"
#include "photostore/productdata.h"
#include "tests/delivery/deliveryorder.h"
#include "tests/support/deliveredreplies.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

// Replies of the delivery endpoints that are not what the dialogs expect: none may crash,
// and each stays usable with what it could read.

namespace {

QJsonObject record(const QString& id, const QString& ison)
{
    return QJsonObject {{"id", id}, {"name", "王芳"}, {"phone", "13800571234"}, {"province", "浙江省"},
        {"city", "杭州市"}, {"county", "西湖区"}, {"address", "文三路 1 号"}, {"provinceid", "330000"},
        {"cityid", "330100"}, {"countyid", "330106"}, {"ison", ison}, {"is_use", 0}};
}

QJsonObject addressReply()
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"provinces", QJsonArray {QJsonObject {{"id", "330000"}, {"areaname", "浙江省"}}}},
        {"orderaddress", record("5101", "1")},
        {"orderaddress_list", QJsonArray {record("5101", "1"), record("5102", "0")}}};
}

QJsonObject goodsReply()
{
    const QJsonObject son {{"id", "c1"}, {"goodname", "子相册"}, {"sendtofactorytime", "0"}};
    const QJsonObject package {{"id", "a1"}, {"goodname", "套系"}, {"goodtypeid", "33"}, {"isurgent", "1"},
        {"isems", "1"}, {"picpath", "1.jpg|2.jpg"}, {"isexist", "1"}, {"sendtofactorytime", "0"},
        {"orderaddress", record("5101", "1")}, {"son_good", QJsonArray {son}}};
    return QJsonObject {
        {"code", "1"}, {"message", "查询成功"}, {"order", QJsonObject {{"ordergoods3", QJsonArray {package}}}}};
}

QJsonObject lookupReply()
{
    const QJsonObject member {{"address", "解放路 1 号"}, {"provinceid", "330000"}, {"provincename", "浙江省"},
        {"cityid", "330100"}, {"cityname", "杭州市"}, {"areaid", "330106"}, {"areaname", "西湖区"}};
    return QJsonObject {{"code", "1"}, {"message", ""},
        {"result",
            QJsonObject {{"memberdata", member},
                {"citys", QJsonArray {QJsonObject {{"id", "330100"}, {"areaname", "杭州市"}}}},
                {"areaid", QJsonArray {QJsonObject {{"id", "330106"}, {"areaname", "西湖区"}}}}}}};
}

QJsonObject urgencyGoodsReply()
{
    const auto good = [](const char* id, const char* sent) {
        return QJsonObject {{"id", id}, {"number", "N-1"}, {"goodname", "相册"}, {"goodtype", "相册"},
            {"goodamount", "2"}, {"goodpnumber", "20"}, {"isurgent", "0"}, {"sendtofactorytime", sent},
            {"picpath", "1.jpg|2.jpg"}};
    };
    return QJsonObject {{"code", "1"}, {"message", ""},
        {"order", QJsonObject {{"ordergoods0", QJsonArray {good("g1", "0"), good("g2", "2026-12-01")}}}}};
}

QJsonObject urgencyOrderReply()
{
    return QJsonObject {{"code", "1"}, {"message", ""},
        {"order",
            QJsonObject {{"isurgenttime", "2026-12-18"},
                {"urgentdatearea", QJsonObject {{"timeTxt", "14:00-18:00"}, {"timeId", "12"}}}}}};
}

const QJsonObject Confirmation {{"code", "1"}, {"message", "设置成功"}};
const QStringList ConfirmationPaths {"code", "message"};

bool answered(QObject* dialog)
{
    return waitUntil([&] { return dialog->findChildren<QNetworkAccessManager*>().isEmpty(); });
}

void clickEverywhere(QTableView* view, const std::function<void(const QModelIndex&)>& click)
{
    QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column)
            click(model->index(row, column));
}

} // namespace

class TestDeliveryHostile : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        openDeliveryOrder();
        // Every box is answered at once by the fail-safe handler of the test support.
    }

    void init() { m_backend.reset(); }

    void addressList_data()
    {
        addHostileRows(addressReply(),
            {"code", "orderaddress_list", "orderaddress_list/0", "orderaddress_list/0/id", "orderaddress_list/0/ison",
                "orderaddress_list/0/is_use", "orderaddress_list/1/province"});
    }

    // Whatever was read, clicks on every cell and 确定 work on the rows that are there.
    void addressList()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("order", "getorderaddress", StandInReply::raw(body));
        SetExpressAddress list;
        list.orderGoodsIds = QStringList {"a1"};
        list.show();
        QVERIFY(answered(&list));
        auto* view = list.findChild<QTableView*>();
        clickEverywhere(view, [&](const QModelIndex& index) {
            if (index.column() != 1 && index.column() != 6)
                list.tabSelectRow(index);
        });
        list.on_pb_submit_clicked();
        QVERIFY(answered(&list));
        QVERIFY(list.isVisible());
    }

    void provinces_data()
    {
        addHostileRows(addressReply(), {"code", "provinces", "provinces/0", "provinces/0/id", "provinces/0/areaname"});
    }

    void provinces()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("order", "getorderaddress", StandInReply::raw(body));
        SettingEMSDialog form;
        form.provinceid = QStringLiteral("330000");
        form.show();
        QVERIFY(answered(&form));
        auto* province = form.findChild<QComboBox*>(QStringLiteral("combProv"));
        QCOMPARE(province->itemText(0), QStringLiteral("请选择"));
    }

    void phoneLookup_data()
    {
        addHostileRows(lookupReply(),
            {"code", "result", "result/memberdata", "result/memberdata/cityid", "result/memberdata/areaid",
                "result/citys", "result/citys/0", "result/areaid"});
    }

    // The lists always start with "请选择", whatever the lookup brought.
    void phoneLookup()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("order", "xpselect_member", StandInReply::raw(body));
        SettingEMSDialog form;
        form.show();
        QVERIFY(answered(&form));
        form.findChild<QLineEdit*>(QStringLiteral("lineEdit_photonumber"))->setText(QStringLiteral("13800571234"));
        form.phoneLineQEditfocusOutEvent();
        QVERIFY(answered(&form));
        for (const char* name : {"combCity", "combRegi"}) {
            auto* box = form.findChild<QComboBox*>(QLatin1String(name));
            QCOMPARE(box->itemText(0), QStringLiteral("请选择"));
        }
    }

    void products_data()
    {
        addHostileRows(goodsReply(),
            {"code", "order", "order/ordergoods3", "order/ordergoods3/0", "order/ordergoods3/0/son_good",
                "order/ordergoods3/0/son_good/0", "order/ordergoods3/0/picpath", "order/ordergoods3/0/isexist",
                "order/ordergoods3/0/orderaddress", "order/ordergoods3/0/id"});
    }

    // The shared lists and the table agree row for row, and the buttons work on them.
    void products()
    {
        QFETCH(QByteArray, body);
        ProductData::m_products.clear();
        m_backend->setReply("order", "ordergoods", StandInReply::raw(body));
        SetProExpress dialog;
        dialog.show();
        QVERIFY(answered(&dialog));
        auto* view = dialog.findChild<QTableView*>();
        QCOMPARE(ProductData::m_products.size(), view->model()->rowCount());
        clickEverywhere(view, [&](const QModelIndex& index) { dialog.tabSelectRow(index); });
        dialog.on_pb_all_sel_clicked();
        dialog.on_pb_cancel_allsel_clicked();
        dialog.on_pb_all_sel_clicked();
        dialog.on_pb_oneself_clicked();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "ordergoods").size() >= 1; }));
    }

    // ---- Urgency ----

    void urgencyProducts_data()
    {
        addHostileRows(urgencyGoodsReply(),
            {"code", "order", "order/ordergoods0", "order/ordergoods0/0", "order/ordergoods0/0/id",
                "order/ordergoods0/0/sendtofactorytime", "order/ordergoods0/0/picpath",
                "order/ordergoods0/0/goodamount"});
    }

    // The table shows the products read, and a confirmation posts only ids of the products
    // the window holds.
    void urgencyProducts()
    {
        QFETCH(QByteArray, body);
        Product panel;
        panel.id = QStringLiteral("p1");
        ProductData::m_products = {panel};
        m_backend->setReply("order", "ordergoods", StandInReply::raw(body));
        m_backend->setReply("order", "orderdetail", StandInReply::json(urgencyOrderReply()));
        SetUrgency window(nullptr);
        window.show();
        QVERIFY(answered(&window));
        // The reply's products, or (a reply without any) none in the table and the panel's
        // list kept.
        const QJsonObject root = QJsonDocument::fromJson(body).object();
        const QJsonArray read = root.value("code") == QJsonValue("1")
            ? root.value("order").toObject().value("ordergoods0").toArray()
            : QJsonArray();
        QCOMPARE(window.findChild<QTableWidget*>(QStringLiteral("tableWidget"))->rowCount(), read.size());
        QStringList ids {panel.id};
        for (const QJsonValue& entry : read)
            ids << jsonText(entry.toObject().value("id"));
        window.on_allUrgencyButton_clicked();
        window.on_confirmButton_clicked();
        QVERIFY(answered(&window));
        for (const StandInRequest& post : m_backend->requestsTo("order", "updategoodstatus2"))
            for (const QString& id : post.value(QStringLiteral("ids")).split(QLatin1Char(','), Qt::SkipEmptyParts))
                QVERIFY2(ids.contains(id), qPrintable(id));
        ProductData::m_products.clear();
    }

    void urgencyOrder_data()
    {
        addHostileRows(urgencyOrderReply(),
            {"code", "order", "order/isurgenttime", "order/urgentdatearea", "order/urgentdatearea/timeTxt",
                "order/urgentdatearea/timeId"});
    }

    // What a confirmation posts is the urgent date the window shows, or nothing.
    void urgencyOrder()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("order", "ordergoods", StandInReply::json(urgencyGoodsReply()));
        m_backend->setReply("order", "orderdetail", StandInReply::raw(body));
        SetUrgency window(nullptr);
        window.show();
        QVERIFY(answered(&window));
        const QString shown = window.findChild<QLineEdit*>()->text();
        window.on_allUrgencyButton_clicked();
        window.on_confirmButton_clicked();
        QVERIFY(answered(&window));
        const QList<StandInRequest> posts = m_backend->requestsTo("order", "updategoodstatus2");
        QVERIFY(posts.size() <= 1);
        // (A date longer than the line edit holds is shown cut.)
        auto* line = window.findChild<QLineEdit*>();
        if (!posts.isEmpty() && line->text().size() < line->maxLength())
            QCOMPARE(posts.first().value(QStringLiteral("urgentdate")) + QLatin1Char(' '),
                shown.left(posts.first().value(QStringLiteral("urgentdate")).size() + 1));
        ProductData::m_products.clear();
    }

    void urgencyPost_data() { addHostileRows(Confirmation, ConfirmationPaths); }

    // Only an accepted post closes the window and becomes the order's urgency; anything else
    // leaves it ready to post again.
    void urgencyPost()
    {
        QFETCH(QByteArray, body);
        ProductData::product_urgentdate = QStringLiteral("before");
        m_backend->setReply("order", "ordergoods", StandInReply::json(urgencyGoodsReply()));
        m_backend->setReply("order", "orderdetail", StandInReply::json(urgencyOrderReply()));
        m_backend->setReply("order", "updategoodstatus2", StandInReply::raw(body));
        QPointer<SetUrgency> window = new SetUrgency(nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QVERIFY(answered(window));
        window->on_allUrgencyButton_clicked();
        window->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updategoodstatus2").size() == 1; }));
        QVERIFY(waitUntil([&] { return !window || window->findChildren<QNetworkAccessManager*>().isEmpty(); }));
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        if (accepted) {
            QVERIFY(waitUntil([&] { return !window || !window->isVisible(); }));
            QCOMPARE(ProductData::product_urgentdate, QStringLiteral("2026-12-18"));
        } else {
            QVERIFY(window && window->isVisible());
            QVERIFY(window->findChild<QPushButton*>(QStringLiteral("confirmButton"))->isEnabled());
            QCOMPARE(window->windowTitle(), QStringLiteral("设置加急"));
            QCOMPARE(ProductData::product_urgentdate, QStringLiteral("before"));
        }
        delete window.data();
        ProductData::m_products.clear();
        ProductData::product_urgentdate.clear();
    }

    // ---- The writes of the address list and of the product delivery ----

    void addressWrites_data() { addHostileRows(Confirmation, ConfirmationPaths); }

    // Set default, delete and assign: the list reloads and the opener is told only on an
    // accepted reply, and the list is free for the next write after any.
    void addressWrites()
    {
        QFETCH(QByteArray, body);
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        for (const char* action : {"set_orderaddress_ison", "del_orderaddress", "add_ordergoods_address"})
            m_backend->setReply("Order", action, StandInReply::raw(body));
        SetExpressAddress list;
        list.orderGoodsIds = QStringList {"a1"};
        list.show();
        QVERIFY(answered(&list));
        QSignalSpy reloadOpener(&list, &SetExpressAddress::emit_reloadpro);
        auto* model = list.findChild<QTableView*>()->model();
        QCOMPARE(model->rowCount(), 2);
        const auto loads = [&] { return m_backend->requestsTo("order", "getorderaddress").size(); };

        struct Write
        {
            const char* action;
            bool reloads; // when accepted
            std::function<void()> press;
        };
        const Write writes[] = {
            {"set_orderaddress_ison", false, [&] { list.tabSelectRow(model->index(1, 1)); }},
            {"del_orderaddress", true, [&] { list.tabSelectRow(model->index(1, 7)); }},
            {"add_ordergoods_address", true, [&] { list.on_pb_submit_clicked(); }},
        };
        for (const Write& write : writes) {
            QVERIFY(answered(&list));
            const int before = loads();
            DeliveredReplies delivered;
            write.press();
            QVERIFY2(m_backend->requestsTo("Order", write.action).size() <= 1, write.action);
            QVERIFY2(waitUntil([&] { return m_backend->requestsTo("Order", write.action).size() == 1; }), write.action);
            QVERIFY(delivered.waitFor(1));
            QVERIFY(answered(&list));
            QCOMPARE(loads(), before + (accepted && write.reloads ? 1 : 0));
        }
        QCOMPARE(reloadOpener.count(), accepted ? 1 : 0);
        QVERIFY(list.isVisible());
    }

    void selfPickup_data() { addHostileRows(Confirmation, ConfirmationPaths); }

    // The products reload only after an accepted self-pickup.
    void selfPickup()
    {
        QFETCH(QByteArray, body);
        ProductData::m_products.clear();
        m_backend->setReply("order", "ordergoods", StandInReply::json(goodsReply()));
        m_backend->setReply("Order", "set_order_goods_ems", StandInReply::raw(body));
        SetProExpress dialog;
        dialog.show();
        QVERIFY(answered(&dialog));
        DeliveredReplies delivered;
        dialog.on_pb_all_sel_clicked();
        dialog.on_pb_oneself_clicked();
        QVERIFY(delivered.waitFor(1));
        QVERIFY(answered(&dialog));
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").size(), accepted ? 2 : 1);
        QCOMPARE(ProductData::m_products.size(), dialog.findChild<QTableView*>()->model()->rowCount());
        ProductData::m_products.clear();
    }

    // The delivery dialogs read "code" as every other window does: the number 1 is no
    // acceptance, so nothing is confirmed, reloaded or closed on it.
    void numericCodeIsARefusal_data()
    {
        QTest::addColumn<QString>("handler");
        for (const char* handler : {"self-pickup", "set default", "delete", "assign", "cities", "districts"})
            QTest::newRow(handler) << QString::fromLatin1(handler);
    }
    void numericCodeIsARefusal()
    {
        QFETCH(QString, handler);
        const QJsonObject reply {{"code", 1}, {"message", "已完成"}, {"data", QJsonArray()}};
        SetProExpress products;
        SetExpressAddress addresses;
        SettingEMSDialog form;
        for (QObject* dialog : std::initializer_list<QObject*> {&products, &addresses, &form})
            QVERIFY(answered(dialog));
        const int loads = m_backend->requestsTo("order", "ordergoods").size()
            + m_backend->requestsTo("order", "getorderaddress").size();
        PromptRecorder prompts;
        if (handler == "self-pickup")
            products.setOneselfPickUpCallBack(reply);
        else if (handler == "set default")
            addresses.setAddressDefaultCallBack(reply);
        else if (handler == "delete")
            addresses.deleteAddressCallBack(reply);
        else if (handler == "assign")
            addresses.setProExpAddress(reply);
        else if (handler == "cities")
            form.httpCityInfo(reply);
        else
            form.httpRegionInfo(reply);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().kind, PromptCall::Information);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        const bool isList = handler == "cities" || handler == "districts";
        QCOMPARE(prompts.last().text, isList ? QStringLiteral("获取城市信息失败") : QStringLiteral("已完成"));
        for (QObject* dialog : std::initializer_list<QObject*> {&products, &addresses, &form})
            QVERIFY(answered(dialog));
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").size()
                + m_backend->requestsTo("order", "getorderaddress").size(),
            loads);
    }
};

QTEST_MAIN(TestDeliveryHostile)
#include "tst_deliveryhostile.moc"
