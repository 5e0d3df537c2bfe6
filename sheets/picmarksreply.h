#ifndef PICMARKSREPLY_H
#define PICMARKSREPLY_H

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// What the production sheet takes from the photo-marks reply: one list per marked photo
// (its file name, then each stored mark string) and a whole page the back end may send.
// Never fails: missing keys and values of other types give nothing.
struct PicMarksReply
{
    QList<QStringList> marks;
    QString html;

    static PicMarksReply read(const QJsonObject& reply);
};

// The two parts of a stored mark that a sheet shows. The text is everything after the fourth
// "-", so words that hold a "-" print whole. A string that is not a whole mark keeps what it
// has: a missing or non-numeric number reads as 0, a missing text as "".
struct SheetMark
{
    int number = 0;
    QString text;

    static SheetMark of(const QString& mark);
};

#endif // PICMARKSREPLY_H
