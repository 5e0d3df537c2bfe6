#ifndef MARKSTRING_H
#define MARKSTRING_H

#include <QColor>
#include <QRect>
#include <QString>

// One stored mark as the back end keeps it (other clients read the same strings):
//
//     x,y,w,h-shape-number-colour-text
//
// x, y, w and h are pixels of the mark editor's picture label (a negative x or y is written
// as 0), shape 0 is an ellipse and 1 a rectangle, colour is "#rrggbb", and the text is
// everything after the fourth "-", written as typed (it may hold "-" and line breaks).
struct MarkString
{
    // Numbers above this are not marks a person made; read as malformed.
    static constexpr int maxNumber = 999;

    QRect rect;
    int shape = 0;
    int number = 0;
    QColor color;
    QString text;
    QString error; // why the string could not be read; empty when it was

    bool isValid() const { return error.isEmpty(); }

    QString toString() const;
    static QString toString(const QRect& rect, int shape, int number, const QColor& color, const QString& text);
    static MarkString parse(const QString& mark);
};

#endif // MARKSTRING_H
