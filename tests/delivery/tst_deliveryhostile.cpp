#include "delivery/setexpressaddress.h"
#include "delivery/setproexpress.h"
#include "delivery/settingemsdialog.h"
#include "photostore/productdata.h"
#include "tests/delivery/deliveryorder.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPointer>
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
