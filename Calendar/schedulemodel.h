#ifndef SCHEDULEMODEL_H
#define SCHEDULEMODEL_H

#include "Calendar/dayschemodel.h"
#include "Calendar/timeschemodel.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

// What a schedule board last loaded: the periods of a day and the days of a month. Every
// setter stores and then announces the value, changed or not. GUI thread only.
class ScheduleModel : public QObject
{
    Q_OBJECT
public:
    explicit ScheduleModel(QObject* parent = nullptr);

    QDate getDate() const { return date; }
    void setDate(QDate value);
    QString getMonth() const { return month; }
    void setMonth(QString value);
    QList<TimeScheModel> getTimePeriodLst() const { return timePeriodLst; }
    void setTimePeriodLst(QList<TimeScheModel> value);
    QList<DayScheModel> getMonthScheLst() const { return monthScheLst; }
    void setMonthScheLst(QList<DayScheModel> value);

signals:
    void dateChangedSgnl(QDate date);
    void monthChangedSgnl(QString month);
    void timeDataRefreshSgnl(QList<TimeScheModel> list);
    void monthDataRefreshSgnl(QList<DayScheModel> list);

private:
    QDate date;
    QString month;
    QList<TimeScheModel> timePeriodLst;
    QList<DayScheModel> monthScheLst;
};

#endif // SCHEDULEMODEL_H
