#include "Calendar/schedulereply.h"

#include <QJsonArray>
#include <QJsonValue>

#include <limits>

namespace {

QString text(const QJsonObject& o, const char* key)
{
    return o.value(QLatin1String(key)).toString();
}

// A JSON number that fits an int; anything else (a string, a fraction, a huge value) is 0.
int number(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble())
        return 0;
    const double d = v.toDouble();
    if (!(d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max()))
        return 0;
    return int(d);
}

// A count sent as a JSON string; a string that is no int, or any other type, is 0.
int numberInText(const QJsonObject& o, const char* key)
{
    return text(o, key).trimmed().toInt();
}

} // namespace

namespace ScheduleReply {

QString monthStamp(const QJsonObject& reply)
{
    return text(reply, "timestamp");
}

QList<DayScheModel> parseMonth(const QJsonObject& reply)
{
    QList<DayScheModel> days;
    const QJsonArray list = reply.value(QLatin1String("android")).toArray();
    for (const QJsonValue& element : list) {
        const QJsonObject o = element.toObject();
        DayScheModel day;
        day.day = text(o, "date").section(QLatin1Char('-'), -1).toInt();
        day.total = number(o, "total");
        day.num = number(o, "num");
        days.append(day);
    }
    return days;
}

QList<TimeScheModel> parseDay(const QJsonObject& reply)
{
    QList<TimeScheModel> periods;
    const QJsonArray list = reply.value(QLatin1String("levelDuty")).toArray();
    for (const QJsonValue& element : list) {
        const QJsonObject o = element.toObject();
        TimeScheModel period;
        period.id = text(o, "id");
        period.levelName = text(o, "levelName");
        period.title = text(o, "title");
        period.number = numberInText(o, "number");
        period.num = numberInText(o, "num");
        period.arranged = period.num;
        periods.append(period);
    }
    return periods;
}

} // namespace ScheduleReply
