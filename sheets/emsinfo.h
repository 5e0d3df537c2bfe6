#ifndef EMSINFO_H
#define EMSINFO_H

#include <QString>

// The customer and address texts that the submission dialog hands to the express charge sheet.
struct EmsInfo
{
    QString customer_names;  // "wname / mname"
    QString customer_phones; // "wphone / mphone"
    QString getgooddate;     // the normal pickup date; "1970-01-01" or empty mean none
    QString address;
    QString postcode;
    QString provincename;
    QString cityname;
    QString countyname;
};

#endif // EMSINFO_H
