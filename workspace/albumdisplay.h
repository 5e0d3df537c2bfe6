#ifndef ALBUMDISPLAY_H
#define ALBUMDISPLAY_H

#include "photostore/image.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class Product;

// What the album panel writes into its views, computed without the widget: table rows,
// crop text, the album label, the sort dots, the product marks ("用" and the product's
// number) and the thumbnail folders of a reload. Nothing here writes a global: the panel
// stores what it is given.
namespace AlbumDisplay {

// The table's text of a photo in a column: 0 file name, 1 product marks, 2 requirement
// text, 3 crop text; empty for any other column.
QString tableText(const Image& photo, int column);
// "宽：W||高：H", empty when the crop's width or height is 0 or 1.
QString cropText(const Image& photo);
// "当前相册：" with the album (or filter) word and the count in brackets.
QString albumLabel(int type, int seleType, int count);
// "." for order mode 0, ".." for 1, "..." for 2, "." for anything else.
QString sortDots(int orderMode);

// The product marks of a list of photos. A photo's marks are "用" and the 1-based
// position of each product that lists its name, once per entry, in product order.
struct ProductMarks
{
    // One entry per photo, in the list's order; empty for a photo no product uses.
    QStringList marks;
    // The names of the photos with at least one mark.
    QSet<QString> used;
    // The photos, their marks written in and in their order, split by use.
    QList<Image> usedPhotos;
    QList<Image> unusedPhotos;
};
ProductMarks productMarks(const QList<Image>& photos, const QList<Product>& products);

// True when two lists make the same icon view: the same photos in the same order, each with
// the same marks, requirement and crop (what an icon shows).
bool sameIcons(const QList<Image>& a, const QList<Image>& b);

// Thumbnail folders that "刷新" empties in an album; none for the others.
QStringList reloadFolders(int type);

} // namespace AlbumDisplay

#endif // ALBUMDISPLAY_H
