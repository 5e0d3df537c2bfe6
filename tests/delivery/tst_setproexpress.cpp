#include "delivery/setexpressaddress.h"
#include "delivery/setproexpress.h"
#include "photostore/productdata.h"
#include "tests/delivery/deliveryorder.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

namespace {

enum Column { Chosen = 0, Name = 2, Delivery = 5, Receiver = 6, AddressColumn = 9, Pages = 14, Urgent = 16, Sent = 17 };

QJsonObject address()
{
    return QJsonObject {{"id", "5101"}, {"province", "浙江省"}, {"city", "杭州市"}, {"county", "西湖区"},
        {"address", "文三路 1 号"}, {"name", "王芳"}, {"phone", "13800571234"}, {"postcode", "310012"}};
}

QJsonObject good(const QString& id, const QString& name, const QJsonObject& extra = QJsonObject())
{
    QJsonObject entry {{"id", id}, {"number", "N-" + id}, {"goodname", name}, {"goodtype", "相册"},
        {"goodtypeid", "33"}, {"goodpagenumber", "10"}, {"goodamount", "1"}, {"isurgent", "0"}, {"isems", "0"},
        {"sendtofactorytime", "0"}, {"orderaddress", address()}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        entry.insert(it.key(), it.value());
    return entry;
}

// A package (express, urgent, added in the selection) with two sub-products, a product sent
// to the factory (self-pickup, address kept by the back end) and a plain one.
QJsonArray goods()
{
    const QJsonArray sons {good("c1", "子相册"), good("c2", "子框画")};
    return QJsonArray {good("a1", "相册A",
                           {{"isems", "1"}, {"isurgent", ""}, {"type", "4"}, {"picpath", "1.jpg|2.jpg|3.jpg"},
                               {"isexist", "1"}, {"son_good", sons}}),
        good("b1", "摆台B", {{"sendtofactorytime", "2026-03-01 10:00:00"}}), good("d1", "冲印D")};
}

QJsonObject goodsReply(const QJsonArray& group3)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"order", QJsonObject {{"ordergoods3", group3}}}};
}

QStringList ids(const QList<Product>& products)
{
    QStringList out;
    for (const Product& p : products)
        out << p.id;
    return out;
}

Product panelProduct(const QString& id, bool print, bool thumbnail)
{
    Product p;
    p.id = id;
    p.print = print;
    p.thumbnail = thumbnail;
    return p;
}

} // namespace

class TestSetProExpress : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<SetProExpress> m_dialog;

    SetProExpress* openDialog()
    {
        m_dialog = new SetProExpress(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->setModal(true);
        m_dialog->show();
        [&] { QVERIFY(postsAnswered()); }();
        return m_dialog;
    }

    bool postsAnswered()
    {
        return waitUntil([&] { return !m_dialog || m_dialog->findChildren<QNetworkAccessManager*>().isEmpty(); });
    }

    QStandardItemModel* model()
    {
        return qobject_cast<QStandardItemModel*>(m_dialog->findChild<QTableView*>()->model());
    }
    QStandardItem* item(int row, int column) { return model()->item(row, column); }
    void click(int row) { m_dialog->tabSelectRow(model()->index(row, Name)); }

    QList<int> ticked()
    {
        QList<int> rows;
        for (int row = 0; row < model()->rowCount(); ++row)
            if (item(row, Chosen)->checkState() == Qt::Checked)
                rows << row;
        return rows;
    }

    QList<StandInRequest> pickups() { return m_backend->requestsTo("Order", "set_order_goods_ems"); }
    int loads() { return m_backend->requestsTo("order", "ordergoods").size(); }

    SetExpressAddress* addressList()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* list = qobject_cast<SetExpressAddress*>(w))
                return list;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        openDeliveryOrder();
    }

    void init()
    {
        m_backend.reset();
        m_backend->setReply("order", "ordergoods", StandInReply::json(goodsReply(goods())));
        ProductData::m_products.clear();
        ProductData::m_printProducts.clear();
    }

    void cleanup()
    {
        delete m_dialog;
        delete addressList();
        m_backend->releaseHeld();
    }

    void table()
    {
        openDialog();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("设置产品快递地址"));
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").value(0).keys(),
            QStringList({"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(model()->columnCount(), 20);
        QCOMPARE(model()->rowCount(), 5);
        QCOMPARE(item(0, Name)->text(), QStringLiteral("选片产品--相册A(3)"));
        QCOMPARE(item(1, Name)->text(), QStringLiteral("子相册(0)"));
        QCOMPARE(item(0, Delivery)->text(), QStringLiteral("快递"));
        QCOMPARE(item(0, AddressColumn)->text(), QStringLiteral("浙江省杭州市西湖区文三路 1 号"));
        // Self-pickup shows no address, whatever the back end keeps.
        QCOMPARE(item(3, Delivery)->text(), QStringLiteral("自取"));
        QCOMPARE(item(3, Receiver)->text(), QString());
        QCOMPARE(item(3, AddressColumn)->text(), QString());
        // Only "0" is not urgent; urgency turns the sheet count red.
        QCOMPARE(item(0, Urgent)->text(), QStringLiteral("是"));
        QCOMPARE(item(0, Pages)->foreground().color(), QColor(255, 0, 0));
        QCOMPARE(item(4, Urgent)->text(), QStringLiteral("否"));
        QCOMPARE(item(3, Sent)->text(), QStringLiteral("是"));
        QCOMPARE(item(3, Sent)->foreground().color(), QColor(Qt::red));

        // The shared lists: sub-products marked and named after their package.
        QCOMPARE(ids(ProductData::m_products), QStringList({"a1", "c1", "c2", "b1", "d1"}));
        QVERIFY(!ProductData::m_products.at(0).hasParent);
        for (int i : {1, 2}) {
            QVERIFY(ProductData::m_products.at(i).hasParent);
            QCOMPARE(ProductData::m_products.at(i).parent_goodname, QStringLiteral("相册A"));
        }
        QCOMPARE(ids(ProductData::m_printProducts), ids(ProductData::m_products));
    }

    // The operator's print and thumbnail ticks survive the reload; delivery comes fresh.
    void panelChoicesKept()
    {
        Product express = panelProduct("a1", false, false);
        express.isems = false;
        ProductData::m_products = {express, panelProduct("c1", true, false), panelProduct("b1", false, true)};
        ProductData::m_printProducts = {panelProduct("c1", true, false)};
        openDialog();
        const QList<Product>& products = ProductData::m_products;
        QCOMPARE(ids(products), QStringList({"a1", "c1", "c2", "b1", "d1"}));
        QVERIFY(!products.at(0).print && !products.at(0).thumbnail);
        QVERIFY(products.at(0).isems);
        QCOMPARE(products.at(0).orderaddress.name, QStringLiteral("王芳"));
        QVERIFY(products.at(1).print && !products.at(1).thumbnail);
        QVERIFY(products.at(2).print && products.at(2).thumbnail); // new to the panel
        QVERIFY(!products.at(3).print && products.at(3).thumbnail);
        QCOMPARE(ids(ProductData::m_printProducts), QStringList({"c1", "c2", "d1"}));
    }

    void selfPickup()
    {
        openDialog();
        click(3); // sent to the factory: not selectable
        click(4);
        click(1);
        click(0);
        click(1); // a second click unselects
        QCOMPARE(ticked(), QList<int>({0, 4}));
        PromptRecorder prompts;
        m_dialog->on_pb_oneself_clicked();
        QVERIFY(waitUntil([&] { return loads() == 2; }) && postsAnswered());
        const StandInRequest post = pickups().value(0);
        QCOMPARE(
            post.keys(), QStringList({"token", "shopid", "companyid", "order_photo_id", "orderid", "ordergoodsids"}));
        QCOMPARE(post.value("ordergoodsids"), QStringLiteral("d1,a1"));
        QCOMPARE(prompts.last().kind, PromptCall::About);
        QCOMPARE(prompts.last().title, QStringLiteral("成功"));
        QCOMPARE(ticked(), QList<int>());
    }

    void nothingSelected_data()
    {
        QTest::addColumn<bool>("isPickup");
        QTest::newRow("self-pickup") << true;
        QTest::newRow("express") << false;
    }

    void nothingSelected()
    {
        QFETCH(bool, isPickup);
        openDialog();
        click(0);
        m_dialog->on_pb_cancel_allsel_clicked();
        QCOMPARE(ticked(), QList<int>());
        PromptRecorder prompts;
        if (isPickup)
            m_dialog->on_pb_oneself_clicked();
        else
            m_dialog->on_pb_express_clicked();
        QCOMPARE(prompts.texts(), QStringList {"请选择产品"});
        QCOMPARE(prompts.last().title, QStringLiteral("温馨提示"));
        QCoreApplication::processEvents();
        QVERIFY(pickups().isEmpty());
        QVERIFY(!addressList());
    }

    void expressOpensTheAddressList()
    {
        openDialog();
        m_dialog->on_pb_all_sel_clicked();
        QCOMPARE(ticked(), QList<int>({0, 1, 2, 4}));
        click(0);
        click(0); // now last in the order chosen
        m_dialog->on_pb_express_clicked();
        SetExpressAddress* list = addressList();
        QVERIFY(list);
        QCOMPARE(list->orderGoodsIds, QStringList({"c1", "c2", "d1", "a1"}));
        QCOMPARE(list->productNames, QStringList({"子相册", "子框画", "冲印D", "相册A"}));
        QVERIFY(list->isModal() && list->testAttribute(Qt::WA_DeleteOnClose));
        // An accepted assignment there reloads the products here.
        emit list->emit_reloadpro();
        QVERIFY(waitUntil([&] { return loads() == 2; }) && postsAnswered());
    }

    void productsFailures_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("refused") << Failure::None << QStringList {"查询产品信息错误：订单不存在"};
        QTest::newRow("http") << Failure::HttpStatus << QStringList {"网络请求错误\n500"};
        QTest::newRow("array") << Failure::Array << QStringList();
    }

    void productsFailures()
    {
        QFETCH(Failure, failure);
        scriptEndpoint(
            m_backend, "order", "ordergoods", failure, QJsonObject {{"code", "0"}, {"message", "订单不存在"}});
        ProductData::m_products = {panelProduct("x", true, true)};
        ProductData::m_printProducts = ProductData::m_products;
        PromptRecorder prompts;
        openDialog();
        QTEST(prompts.texts(), "boxes");
        QCOMPARE(model()->rowCount(), 0);
        QCOMPARE(ids(ProductData::m_products), QStringList {"x"});
        QCOMPARE(ids(ProductData::m_printProducts), QStringList {"x"});
    }

    void pickupRefused()
    {
        m_backend->setReply(
            "Order", "set_order_goods_ems", StandInReply::json(QJsonObject {{"code", "0"}, {"message", "产品已发件"}}));
        openDialog();
        click(0);
        PromptRecorder prompts;
        m_dialog->on_pb_oneself_clicked();
        QVERIFY(waitUntil([&] { return prompts.count() == 1; }));
        QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("产品已发件")));
        QCOMPARE(loads(), 1);
        QCOMPARE(ticked(), QList<int> {0});
    }
};

QTEST_MAIN(TestSetProExpress)
#include "tst_setproexpress.moc"
