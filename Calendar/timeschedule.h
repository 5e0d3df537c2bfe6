#ifndef TIMESCHEDULE_H
#define TIMESCHEDULE_H

#include <QMetaType>
#include <QString>

// The choice made on a schedule board: a day and one of its periods. All three empty means
// that no schedule is chosen.
struct TimeSchedule
{
    QString date; // "yyyy-MM-dd"
    QString name; // the period's time text
    QString id;   // the period's back-end id

    bool isEmpty() const { return date.isEmpty() && name.isEmpty() && id.isEmpty(); }
};
Q_DECLARE_METATYPE(TimeSchedule)

#endif // TIMESCHEDULE_H
