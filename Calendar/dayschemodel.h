#ifndef DAYSCHEMODEL_H
#define DAYSCHEMODEL_H

// One day of a month on a schedule board, as the month reply lists it.
struct DayScheModel
{
    int day = 0;   // of the month, 1..31
    int total = 0; // capacity
    int num = 0;   // bookings so far
};

#endif // DAYSCHEMODEL_H
