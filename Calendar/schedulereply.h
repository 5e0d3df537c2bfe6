#ifndef SCHEDULEREPLY_H
#define SCHEDULEREPLY_H

#include "Calendar/dayschemodel.h"
#include "Calendar/timeschemodel.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// The readings of the schedule boards' replies. Neither looks at "code": a reply without its
// list, or with values of other types, reads as an empty list or as zeros.
namespace ScheduleReply {

// "timestamp" of a month reply as a string, empty when it is none.
QString monthStamp(const QJsonObject& reply);
// "android": per element "date" (the day is the number after its last "-"), "total" and
// "num" as JSON numbers.
QList<DayScheModel> parseMonth(const QJsonObject& reply);
// "levelDuty": per element "id", "levelName", "title", and "number" and "num" as numbers
// sent in JSON strings.
QList<TimeScheModel> parseDay(const QJsonObject& reply);

} // namespace ScheduleReply

#endif // SCHEDULEREPLY_H
