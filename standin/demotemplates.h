#ifndef DEMOTEMPLATES_H
#define DEMOTEMPLATES_H

#include <QList>
#include <QPolygon>
#include <QSize>
#include <QString>

// Room templates of our own making for the demo share: a painted room with empty picture
// frames, and beside each picture its hole file (the count, then four corners per hole:
// top-left, bottom-left, bottom-right, top-right).
class DemoTemplates
{
public:
    // Writes the templates into "模板/卧室/", "模板/客厅/" and "模板/其他/" below root;
    // existing files are kept.
    static bool create(const QString& root, QString* error = nullptr);
    // One template picture of the given size with a frame around each hole, and its hole
    // file (imagePath with the suffix "txt"). Each hole lists its corners in file order.
    static bool writeRoom(const QString& imagePath, QSize size, const QList<QPolygon>& holes);
};

#endif // DEMOTEMPLATES_H
