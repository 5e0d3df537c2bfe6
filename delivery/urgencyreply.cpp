#include "delivery/urgencyreply.h"

#include "core/jsontext.h"

#include <QJsonArray>
#include <QJsonValue>

namespace {

QString text(const QJsonObject& o, const char* key)
{
    return jsonText(o.value(QLatin1String(key)));
}

QJsonObject order(const QJsonObject& root)
{
    return root.value(QLatin1String("order")).toObject();
}

} // namespace

namespace UrgencyReply {

QList<Product> products(const QJsonObject& root)
{
    QList<Product> list;
    const QJsonArray entries = order(root).value(QLatin1String("ordergoods0")).toArray();
    for (const QJsonValue& element : entries) {
        const QJsonObject entry = element.toObject();
        Product p;
        p.analysis_goods0_paras(entry);
        p.amount = text(entry, "goodamount");
        p.sentToFactory = text(entry, "sendtofactorytime") != QLatin1String("0");
        list.append(p);
    }
    return list;
}

TimeSchedule urgentSchedule(const QJsonObject& root)
{
    const QJsonObject o = order(root);
    const QJsonObject area = o.value(QLatin1String("urgentdatearea")).toObject();
    TimeSchedule schedule;
    schedule.date = text(o, "isurgenttime");
    schedule.name = text(area, "timeTxt");
    schedule.id = text(area, "timeId");
    return schedule;
}

} // namespace UrgencyReply
