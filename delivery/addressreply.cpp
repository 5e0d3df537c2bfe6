#include "delivery/addressreply.h"

#include "core/jsontext.h"

#include <QJsonValue>

namespace {

QString text(const QJsonObject& o, const char* key)
{
    return jsonText(o.value(QLatin1String(key)));
}

// "is_use" decides whether an address may still be edited or deleted: a count sent as text
// counts as much as one sent as a number.
QString useCount(const QJsonValue& v)
{
    bool ok = false;
    const qlonglong n = jsonText(v).trimmed().toLongLong(&ok);
    return ok ? QString::number(n) : QStringLiteral("0");
}

} // namespace

namespace AddressReply {

QList<Area> areas(const QJsonArray& entries)
{
    QList<Area> list;
    for (const QJsonValue& element : entries) {
        const QJsonObject entry = element.toObject();
        list.append({text(entry, "id"), text(entry, "areaname")});
    }
    return list;
}

QMap<QString, QString> addressRow(const QJsonObject& record)
{
    QMap<QString, QString> row;
    for (const char* key : {"id", "order_photo_id", "name", "phone", "postcode", "address", "provinceid", "cityid",
             "countyid", "province", "city", "county", "ison"})
        row.insert(QLatin1String(key), text(record, key));
    row.insert(QStringLiteral("is_use"), useCount(record.value(QLatin1String("is_use"))));
    return row;
}

QList<QMap<QString, QString>> addressRows(const QJsonObject& root)
{
    QList<QMap<QString, QString>> rows;
    for (const QJsonValue& record : root.value(QLatin1String("orderaddress_list")).toArray())
        rows.append(addressRow(record.toObject()));
    return rows;
}

PhoneAddress phoneAddress(const QJsonObject& root)
{
    const QJsonObject result = root.value(QLatin1String("result")).toObject();
    const QJsonObject member = result.value(QLatin1String("memberdata")).toObject();
    PhoneAddress a;
    a.address = text(member, "address");
    a.provinceid = text(member, "provinceid");
    a.provincename = text(member, "provincename");
    a.cityid = text(member, "cityid");
    a.cityname = text(member, "cityname");
    a.countyid = text(member, "areaid");
    a.countyname = text(member, "areaname");
    a.cities = areas(result.value(QLatin1String("citys")).toArray());
    a.districts = areas(result.value(QLatin1String("areaid")).toArray());
    return a;
}

} // namespace AddressReply
