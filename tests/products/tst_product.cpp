#include "widgets/ordergoodsreply.h"
#include "core/jsontext.h"
#include "photostore/product.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <functional>

namespace {

QJsonObject entry(std::initializer_list<QPair<QString, QJsonValue>> pairs)
{
    QJsonObject o;
    for (const auto& p : pairs)
        o.insert(p.first, p.second);
    return o;
}

QJsonObject standinOrderGoods()
{
    QFile f(QStringLiteral(STANDIN_FIXTURES_DIR "/order.ordergoods.json"));
    if (!f.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(f.readAll()).object();
}

QStringList names(const QList<Product>& list)
{
    QStringList out;
    for (const Product& p : list)
        out.append(p.goodname);
    return out;
}

} // namespace

using Parser = std::function<Product(const QJsonObject&)>;
Q_DECLARE_METATYPE(Parser)

class TestProduct : public QObject
{
    Q_OBJECT
private:
    static Parser parser(void (Product::*member)(QJsonObject))
    {
        return [member](const QJsonObject& o) {
            Product p;
            (p.*member)(o);
            return p;
        };
    }

private slots:
    void freshRecordHasNoFlags()
    {
        const Product p;
        QVERIFY(!p.print && !p.thumbnail && !p.isems && !p.sentToFactory && !p.isType4 && !p.isexist && !p.hasParent);
        QVERIFY(p.pics.isEmpty() && p.son_good.isEmpty() && p.children.isEmpty());
    }

    // The same entry through each order-group parser: only type, factory state, parent and sub-products differ.
    void groupsReadTheirOwnKeys_data()
    {
        QTest::addColumn<Parser>("parse");
        QTest::addColumn<bool>("isType4");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<bool>("hasParent");
        QTest::addColumn<int>("children");
        QTest::newRow("group 0") << parser(&Product::analysis_goods0) << false << "" << false << true << 2;
        QTest::newRow("group 0 fields") << parser(&Product::analysis_goods0_paras) << false << "" << false << true << 0;
        QTest::newRow("group 1") << parser(&Product::analysis_goods1) << false << "" << false << false << 0;
        QTest::newRow("group 2") << parser(&Product::analysis_goods2) << true << "" << false << false << 0;
        QTest::newRow("group 3") << parser(&Product::analysis_goods3) << true << "4" << true << false << 2;
        QTest::newRow("group 3 fields") << parser(&Product::analysis_goods3_paras) << true << "4" << true << false << 0;
    }

    void groupsReadTheirOwnKeys()
    {
        QFETCH(Parser, parse);
        QFETCH(bool, isType4);
        QFETCH(QString, type);
        QFETCH(bool, sent);
        QFETCH(bool, hasParent);
        QFETCH(int, children);
        const QJsonArray sons = {entry({{"goodname", "内页"}, {"servicetime", "2"}}),
            entry({{"goodname", "封面"}, {"servicetime", "3"}, {"sendtofactorytime", "2026-03-01"}})};
        const Product p = parse(entry({{"id", "80012"}, {"goodname", "相册"}, {"parentid", "80011"}, {"type", "4"},
            {"sendtofactorytime", "2026-03-06 14:20:00"}, {"isexist", "1"}, {"son_good", sons}, {"isems", "1"},
            {"parent_goodname", "套系"}}));
        QCOMPARE(p.id, QStringLiteral("80012"));
        QCOMPARE(p.isType4, isType4);
        QCOMPARE(p.type, type);
        QCOMPARE(p.sentToFactory, sent);
        QCOMPARE(p.hasParent, hasParent);
        QVERIFY(p.print && p.thumbnail && p.isems && p.isexist);
        QVERIFY(p.parent_goodname.isEmpty()); // only a group-3 sub-product reads it
        QCOMPARE(p.children.size(), children);
        if (children) {
            QCOMPARE(p.children.at(0).servicetime, QStringLiteral("2"));
            QCOMPARE(p.children.at(1).servicetime, QStringLiteral("3"));
            QVERIFY(p.children.at(0).hasParent && p.children.at(1).hasParent);
            QVERIFY(p.children.at(0).print && p.children.at(0).thumbnail);
        }
    }

    // A group-3 package without the factory key counts as sent; its sub-products only with a time.
    void factoryStateOfPackagesAndSubProducts_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("packageSent");
        QTest::addColumn<bool>("childSent");
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined) << true << false;
        QTest::newRow("empty") << QJsonValue("") << true << false;
        QTest::newRow("zero") << QJsonValue("0") << false << false;
        QTest::newRow("zero as number") << QJsonValue(0) << false << false;
        QTest::newRow("a time") << QJsonValue("2026-03-06 14:20:00") << true << true;
    }

    void factoryStateOfPackagesAndSubProducts()
    {
        QFETCH(QJsonValue, value);
        QFETCH(bool, packageSent);
        QFETCH(bool, childSent);
        QJsonObject o = entry({{"isexist", "1"}, {"goodname", "套系"}});
        QJsonObject child = entry({{"parent_goodname", "套系"}, {"parentid", "9"}});
        if (!value.isUndefined()) {
            o.insert(QStringLiteral("sendtofactorytime"), value);
            child.insert(QStringLiteral("sendtofactorytime"), value);
        }
        o.insert(QStringLiteral("son_good"), QJsonArray {child});
        Product p;
        p.analysis_goods3(o);
        QCOMPARE(p.sentToFactory, packageSent);
        QCOMPARE(p.children.size(), 1);
        QCOMPARE(p.children.at(0).sentToFactory, childSent);
        QCOMPARE(p.children.at(0).parent_goodname, QStringLiteral("套系"));
        QVERIFY(p.children.at(0).parentid.isEmpty());
    }

    // Product fields take strings as they are and integral numbers as their digits; other values are empty.
    void fieldValuesOfEveryType_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("string") << QJsonValue("10") << "10";
        QTest::newRow("integral number") << QJsonValue(10) << "10";
        QTest::newRow("negative number") << QJsonValue(-3) << "-3";
        QTest::newRow("large id") << QJsonValue(double(4294967296.0)) << "4294967296";
        QTest::newRow("fraction") << QJsonValue(2.5) << "";
        QTest::newRow("huge number") << QJsonValue(1e300) << "";
        QTest::newRow("boolean") << QJsonValue(true) << "";
        QTest::newRow("null") << QJsonValue(QJsonValue::Null) << "";
        QTest::newRow("array") << QJsonValue(QJsonArray {1}) << "";
        QTest::newRow("object") << QJsonValue(QJsonObject {{"a", 1}}) << "";
    }

    void fieldValuesOfEveryType()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, text);
        QCOMPARE(jsonText(value), text);
        Product p;
        p.analysis_goods3(entry({{"goodamount", value}, {"id", value}, {"type", value}}));
        QCOMPARE(p.goodamount, text);
        QCOMPARE(p.id, text);
        QCOMPARE(p.type, text);
    }

    void typeAsNumberStillMarksAnAddedProduct()
    {
        Product p;
        p.analysis_goods3(entry({{"type", 4}, {"isems", 1}, {"isexist", 0}}));
        QVERIFY(p.isType4);
        QVERIFY(p.isems);
        QVERIFY(!p.isexist);
    }

    // Empty parts of "picpath" are no photos; an empty or missing "picpath" keeps the list.
    void photoListsWithoutPhantoms_data()
    {
        QTest::addColumn<QJsonValue>("picpath");
        QTest::addColumn<QStringList>("pics");
        const QStringList kept = {QStringLiteral("OLD.jpg")};
        QTest::newRow("two names") << QJsonValue("A.jpg|B.jpg") << QStringList {"A.jpg", "B.jpg"};
        QTest::newRow("doubled separator") << QJsonValue("A.jpg||B.jpg") << QStringList {"A.jpg", "B.jpg"};
        QTest::newRow("trailing separator") << QJsonValue("A.jpg|") << QStringList {"A.jpg"};
        QTest::newRow("separators only") << QJsonValue("||") << QStringList();
        QTest::newRow("empty") << QJsonValue("") << kept;
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined) << kept;
        QTest::newRow("not a string") << QJsonValue(QJsonArray {"A.jpg"}) << kept;
    }

    void photoListsWithoutPhantoms()
    {
        QFETCH(QJsonValue, picpath);
        QFETCH(QStringList, pics);
        Product p;
        p.pics = QStringList {QStringLiteral("OLD.jpg")};
        QJsonObject o;
        if (!picpath.isUndefined())
            o.insert(QStringLiteral("picpath"), picpath);
        p.analysis_goods1(o);
        QCOMPARE(p.pics, pics);
    }

    void addressBlockAndMalformedSubProducts()
    {
        Product p;
        p.analysis_goods0(
            entry({{"orderaddress", QJsonObject {{"name", "王芳"}, {"postcode", "310012"}, {"phone", 13900001001.0}}},
                {"isexist", "1"}, {"son_good", QJsonArray {"not an object", 3}}}));
        QCOMPARE(p.orderaddress.name, QStringLiteral("王芳"));
        QCOMPARE(p.orderaddress.postcode, QStringLiteral("310012"));
        QCOMPARE(p.orderaddress.phone, QStringLiteral("13900001001"));
        QVERIFY(p.orderaddress.city.isEmpty());
        QCOMPARE(p.children.size(), 2);
        QVERIFY(p.children.at(0).goodname.isEmpty());
        QVERIFY(p.children.at(0).hasParent && p.children.at(0).print);

        Product q;
        q.analysis_goods3(entry({{"orderaddress", "a text"}, {"isexist", "1"}, {"son_good", "not an array"}}));
        QVERIFY(q.orderaddress.id.isEmpty() && q.orderaddress.address.isEmpty());
        QVERIFY(q.son_good.isEmpty() && q.children.isEmpty());

        Product r;
        r.analysis_goods1(entry({{"isexist", "0"}, {"son_good", QJsonArray {QJsonObject()}}}));
        QVERIFY(r.son_good.isEmpty());
        Product s;
        s.analysis_goods1(entry({{"isexist", "1"}, {"son_good", QJsonArray {QJsonObject(), QJsonObject()}}}));
        QCOMPARE(s.son_good.size(), 2);
        QVERIFY(s.children.isEmpty());
    }

    void catalogueEntry()
    {
        Product p;
        p.searchGoods(entry({{"id", "1201"}, {"goodnumber", "XC-12"}, {"stock", "36"}, {"goodname", "12寸水晶相册"},
            {"number", "ignored"}, {"isems", "1"}, {"isexist", "1"}, {"son_good", QJsonArray {QJsonObject()}}}));
        QCOMPARE(p.goodid, QStringLiteral("1201"));
        QCOMPARE(p.number, QStringLiteral("XC-12"));
        QCOMPARE(p.stock, QStringLiteral("36"));
        QVERIFY(p.id.isEmpty());
        QVERIFY(!p.print && !p.thumbnail && !p.isems && !p.hasParent);
        QCOMPARE(p.son_good.size(), 1);
        QVERIFY(p.children.isEmpty());
    }

    // The stand-in's package: each package followed by its sub-products, which are marked as children and named after
    // it; the other groups are not kept.
    void orderGoodsFlattensThePackage()
    {
        const OrderGoodsReply reply = OrderGoodsReply::parse(standinOrderGoods());
        QVERIFY(reply.isAccepted);
        QCOMPARE(reply.maxServiceTime, QStringLiteral("3"));
        QCOMPARE(names(reply.products),
            (QStringList {"经典婚纱套系A", "12寸水晶相册", "24寸油画框", "6寸迷你相册", "6寸照片冲印", "10寸水晶摆台",
                "8寸水晶摆台"}));
        const QList<Product>& list = reply.products;
        QVERIFY(!list.at(0).hasParent && list.at(0).isexist);
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(list.at(i).hasParent);
            QCOMPARE(list.at(i).parent_goodname, QStringLiteral("经典婚纱套系A"));
            QVERIFY(!list.at(i).sentToFactory);
        }
        QCOMPARE(list.at(1).pics.size(), 3);
        QVERIFY(list.at(5).sentToFactory && list.at(5).isems);
        QCOMPARE(list.at(5).orderaddress.city, QStringLiteral("杭州市"));
        QVERIFY(list.at(6).isType4 && !list.at(6).sentToFactory);
        QVERIFY(!list.at(4).isType4);
    }

    void orderGoodsReplyShapes_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("maxServiceTime");
        QTest::newRow("refused") << QByteArray(R"({"code":"0","message":"订单不存在"})") << false
                                 << "查询产品信息错误：订单不存在" << 0 << "";
        QTest::newRow("code as number") << QByteArray(R"({"code":1,"message":"ok","order":{"ordergoods3":[{}]}})")
                                        << false << "查询产品信息错误：ok" << 0 << "";
        QTest::newRow("no order") << QByteArray(R"({"code":"1"})") << true << "" << 0 << "";
        QTest::newRow("no group 3") << QByteArray(R"({"code":"1","order":{"ordergoods0":[{}]}})") << true << "" << 0
                                    << "";
        QTest::newRow("empty group 3") << QByteArray(R"({"code":"1","order":{"ordergoods3":[]}})") << true << "" << 0
                                       << "";
        QTest::newRow("group 3 not an array")
            << QByteArray(R"({"code":"1","order":{"ordergoods3":{"a":1}}})") << true << "" << 0 << "";
        QTest::newRow("service time as number")
            << QByteArray(R"({"code":"1","order":{"max_servicetime":3,"ordergoods3":[{},"x"]}})") << true << "" << 2
            << "";
        QTest::newRow("package without sub-products")
            << QByteArray(R"({"code":"1","order":{"ordergoods3":[{"isexist":"1","son_good":[]},{"isexist":"0",)"
                          R"("son_good":[{}]}]}})")
            << true << "" << 2 << "";
    }

    void orderGoodsReplyShapes()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, accepted);
        QFETCH(QString, error);
        QFETCH(int, rows);
        QFETCH(QString, maxServiceTime);
        const OrderGoodsReply reply = OrderGoodsReply::parse(QJsonDocument::fromJson(json).object());
        QCOMPARE(reply.isAccepted, accepted);
        QCOMPARE(reply.error, error);
        QCOMPARE(reply.products.size(), rows);
        QCOMPARE(reply.maxServiceTime, maxServiceTime);
    }
};

QTEST_APPLESS_MAIN(TestProduct)
#include "tst_product.moc"
