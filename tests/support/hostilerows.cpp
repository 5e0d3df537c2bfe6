#include "tests/support/hostilerows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QPair>
#include <QtTest>

QJsonValue replaced(const QJsonValue& root, const QStringList& path, const QJsonValue& value)
{
    if (path.isEmpty())
        return value;
    const QString head = path.first();
    const QStringList rest = path.mid(1);
    if (root.isArray()) {
        QJsonArray array = root.toArray();
        const int i = head.toInt();
        if (value.isUndefined() && rest.isEmpty())
            array.removeAt(i);
        else
            array[i] = replaced(array.at(i), rest, value);
        return array;
    }
    QJsonObject object = root.toObject();
    if (value.isUndefined() && rest.isEmpty())
        object.remove(head);
    else
        object[head] = replaced(object.value(head), rest, value);
    return object;
}

QByteArray compact(const QJsonValue& value)
{
    return value.isArray() ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact)
                           : QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
}

void addHostileRows(const QJsonObject& good, const QStringList& paths)
{
    QTest::addColumn<QByteArray>("body");
    const QList<QPair<const char*, QJsonValue>> values = {
        {"missing", QJsonValue(QJsonValue::Undefined)},
        {"null", QJsonValue(QJsonValue::Null)},
        {"number 1", 1},
        {"1e308", 1e308},
        {"long text", QString(100000, QLatin1Char('x'))},
        {"array of odd things", QJsonArray {1, "x", QJsonValue::Null, QJsonArray(), QJsonObject()}},
        {"object", QJsonObject {{"1", "1"}, {"code", 1}}},
    };
    for (const QString& path : paths)
        for (const auto& v : values)
            QTest::addRow("%s %s", qPrintable(path), v.first)
                << compact(replaced(good, path.split(QLatin1Char('/')), v.second));
    // A whole number too large for any integer type, as the back end may print it.
    for (const QString& path : paths) {
        QByteArray body = compact(replaced(good, path.split(QLatin1Char('/')), QStringLiteral("@@")));
        QTest::addRow("%s 99999999999999999999", qPrintable(path)) << body.replace("\"@@\"", "99999999999999999999");
    }
    QTest::newRow("not JSON") << QByteArray("<html>502 Bad Gateway</html>");
    QTest::newRow("array") << QByteArray("[{\"code\":\"1\"}]");
    QTest::newRow("empty object") << QByteArray("{}");
    QTest::newRow("truncated") << compact(good).left(compact(good).size() / 2);
}
