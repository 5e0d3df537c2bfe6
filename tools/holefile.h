#ifndef HOLEFILE_H
#define HOLEFILE_H

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>

// One photo hole of a room template, in template-image pixels: its index in file order and
// its corners, where the photo's top-left, bottom-left, bottom-right and top-right go.
struct FAMILYPOINTS
{
    int index = 0;
    QPointF point1;
    QPointF point2;
    QPointF point3;
    QPointF point4;
};

// The holes of a room template, read from the text file beside the template image: line 1
// the count N, then 4N lines "x,y" of whole pixels. Reading never fails: a missing file
// gives no holes, and so does a file that is not of that form (error says why; the
// template is then shown without holes). Pure functions, any thread.
struct HoleFile
{
    QList<FAMILYPOINTS> holes;
    QString error;

    // A template with more holes than this is no room picture but a broken file.
    static const int MaxHoles = 100;
    // Corners lie on the picture; far beyond it they can only be garbage (and would
    // overflow the widget arithmetic).
    static const int MaxCoordinate = 1000000;
    static const qint64 MaxFileSize = 1024 * 1024;

    // room1.jpg has room1.txt; a.b.png has a.b.txt.
    static QString pathFor(const QString& templatePath);
    static HoleFile read(const QString& path);
    static HoleFile parse(const QByteArray& text);
};

#endif // HOLEFILE_H
