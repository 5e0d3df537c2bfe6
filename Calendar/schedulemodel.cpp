#include "Calendar/schedulemodel.h"

ScheduleModel::ScheduleModel(QObject* parent)
    : QObject(parent)
{
}

void ScheduleModel::setDate(QDate value)
{
    date = value;
    emit dateChangedSgnl(date);
}

void ScheduleModel::setMonth(QString value)
{
    month = value;
    emit monthChangedSgnl(month);
}

void ScheduleModel::setTimePeriodLst(QList<TimeScheModel> value)
{
    timePeriodLst = value;
    emit timeDataRefreshSgnl(timePeriodLst);
}

void ScheduleModel::setMonthScheLst(QList<DayScheModel> value)
{
    monthScheLst = value;
    emit monthDataRefreshSgnl(monthScheLst);
}
