#ifndef ALBUMDISPLAY_H
#define ALBUMDISPLAY_H

#include "photostore/image.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QStandardItem;

// What the album panel writes into its views, computed without the widget: table rows,
// crop text, the album label, the sort dots, the product marks ("用" and the product's
// number) and the thumbnail folders of a reload.
class AlbumDisplay
{
public:
    AlbumDisplay() = delete;

    // File name, product marks, requirement text, crop text.
    static QList<QStandardItem*> tableRow(const Image& photo);
    // "宽：W||高：H", empty when the crop's width or height is 0 or 1.
    static QString cropText(const Image& photo);
    // "当前相册：" with the album (or filter) word and the count in brackets.
    static QString albumLabel(int type, int seleType, int count);
    // "." for order mode 0, ".." for 1, "..." for 2, "." for anything else.
    static QString sortDots(int orderMode);

    // Photo name to marks: "用" and the 1-based product position, once per entry of each
    // product's photo list, in product order.
    static QHash<QString, QString> productMarks();
    // Writes the marks into every 成品 photo and refills the set of used names; with
    // filter 1 or 2 splits the 成品 list into the used and unused lists.
    static void applyProductMarks(int seleType);

    // Thumbnail folders that "刷新" empties in an album; none for the others.
    static QStringList reloadFolders(int type);
};

#endif // ALBUMDISPLAY_H
