#include "delivery/addressreply.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

class TestAddressReply : public QObject
{
    Q_OBJECT
private slots:
    // Only an address no product uses may be edited or deleted: the count must read right
    // however the back end sends it.
    void useCount_data()
    {
        QTest::addColumn<QJsonValue>("isUse");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number 0") << QJsonValue(0) << "0";
        QTest::newRow("number 2") << QJsonValue(2) << "2";
        QTest::newRow("text 1") << QJsonValue("1") << "1";
        QTest::newRow("text 0") << QJsonValue("0") << "0";
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined) << "0";
        QTest::newRow("not a count") << QJsonValue("abc") << "0";
        QTest::newRow("null") << QJsonValue(QJsonValue::Null) << "0";
    }

    void useCount()
    {
        QFETCH(QJsonValue, isUse);
        QJsonObject record {{"id", 5101}, {"name", "王芳"}, {"ison", "1"}};
        if (!isUse.isUndefined())
            record.insert("is_use", isUse);
        const QMap<QString, QString> row = AddressReply::addressRow(record);
        QTEST(row.value("is_use"), "expected");
        QCOMPARE(row.value("id"), QStringLiteral("5101"));
        QCOMPARE(row.value("name"), QStringLiteral("王芳"));
        QCOMPARE(row.value("county"), QString());
        QCOMPARE(row.size(), 14);
    }

    void oddReplies()
    {
        QVERIFY(AddressReply::addressRows(QJsonObject {{"orderaddress_list", "none"}}).isEmpty());
        QCOMPARE(
            AddressReply::addressRows(QJsonObject {{"orderaddress_list", QJsonArray {1, QJsonObject()}}}).size(), 2);
        const AddressReply::PhoneAddress empty = AddressReply::phoneAddress(QJsonObject {{"result", "x"}});
        QVERIFY(empty.address.isEmpty() && empty.cities.isEmpty() && empty.districts.isEmpty());
        const QList<AddressReply::Area> list
            = AddressReply::areas(QJsonArray {QJsonObject {{"id", 330100}, {"areaname", "杭州市"}}, 7});
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0), AddressReply::Area("330100", "杭州市"));
        QCOMPARE(list.at(1), AddressReply::Area());
    }
};

QTEST_MAIN(TestAddressReply)
#include "tst_addressreply.moc"
