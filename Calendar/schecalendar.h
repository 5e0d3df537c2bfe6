#ifndef SCHECALENDAR_H
#define SCHECALENDAR_H

#include "Calendar/dayschemodel.h"

#include <QCalendarWidget>
#include <QList>

// A month calendar that writes each day's bookings against its capacity ("num/total") in
// magenta at the top right of the day's cell. Only the days of the shown month are painted;
// the neighbouring months' days in the grid stay blank.
class ScheCalendar : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit ScheCalendar(QWidget* parent = nullptr);

    QList<DayScheModel> getMonthScheLst() const { return monthScheLst; }
    // Stores only; refreshMonthSchedule() also repaints.
    void setMonthScheLst(QList<DayScheModel> list) { monthScheLst = list; }

public slots:
    void refreshMonthSchedule(QList<DayScheModel> list);

protected:
    void paintCell(QPainter* painter, const QRect& rect, const QDate& date) const override;

private:
    QList<DayScheModel> monthScheLst;
};

#endif // SCHECALENDAR_H
