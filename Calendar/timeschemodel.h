#ifndef TIMESCHEMODEL_H
#define TIMESCHEMODEL_H

#include <QString>

// One period of a day on a schedule board, as the day reply lists it.
struct TimeScheModel
{
    bool isChecked = false; // kept for the record's layout; nothing reads it
    QString id;
    QString levelName; // the period's time text, shown and handed back as the chosen name
    QString title;     // the period's own name
    int number = 0;    // capacity
    int num = 0;       // bookings so far
    int arranged = 0;  // the bookings as the table shows them (same as num)
};

#endif // TIMESCHEMODEL_H
