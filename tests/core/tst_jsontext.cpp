#include "core/jsontext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestJsonText : public QObject
{
    Q_OBJECT
private slots:
    // Values as a parsed reply holds them.
    void text_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("text");
        QTest::newRow("string") << QByteArray(R"({"v":"0101"})") << "0101";
        QTest::newRow("empty string") << QByteArray(R"({"v":""})") << "";
        QTest::newRow("integer") << QByteArray(R"({"v":101})") << "101";
        QTest::newRow("zero") << QByteArray(R"({"v":0})") << "0";
        QTest::newRow("negative") << QByteArray(R"({"v":-7})") << "-7";
        QTest::newRow("integral with exponent") << QByteArray(R"({"v":1e3})") << "1000";
        QTest::newRow("2^53") << QByteArray(R"({"v":9007199254740992})") << "9007199254740992";
        QTest::newRow("beyond 2^53") << QByteArray(R"({"v":1e20})") << "";
        QTest::newRow("fraction") << QByteArray(R"({"v":1.5})") << "";
        QTest::newRow("true") << QByteArray(R"({"v":true})") << "";
        QTest::newRow("null") << QByteArray(R"({"v":null})") << "";
        QTest::newRow("array") << QByteArray(R"({"v":[1]})") << "";
        QTest::newRow("object") << QByteArray(R"({"v":{"id":1}})") << "";
        QTest::newRow("absent") << QByteArray(R"({})") << "";
    }
    void text()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, text);
        QCOMPARE(jsonText(QJsonDocument::fromJson(json).object().value("v")), text);
    }
};

QTEST_GUILESS_MAIN(TestJsonText)
#include "tst_jsontext.moc"
