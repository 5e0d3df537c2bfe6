#ifndef CROPRECT_H
#define CROPRECT_H

#include <QRect>
#include <QtGlobal>

#include <limits>

// Crops come from the back end and are scaled between picture sizes: QRect keeps its right
// and bottom edges as ints and derives its size from them, so an edge or a size beyond the
// int range overflows. These work in 64 bits.
namespace CropRect {

inline bool fitsInt(qint64 value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// Whether QRect(left, top, width, height) holds these values without overflow.
inline bool fits(qint64 left, qint64 top, qint64 width, qint64 height)
{
    return fitsInt(left) && fitsInt(top) && fitsInt(width) && fitsInt(height) && fitsInt(left + width - 1)
        && fitsInt(top + height - 1);
}

// The rectangle, or the empty rectangle (no crop) when it does not fit. Made from its corners:
// QRect(int, int, int, int) adds the edge and the size before subtracting 1, which overflows
// when the right or bottom edge is the largest int.
inline QRect make(qint64 left, qint64 top, qint64 width, qint64 height)
{
    if (!fits(left, top, width, height))
        return QRect();
    return QRect(QPoint(int(left), int(top)), QPoint(int(left + width - 1), int(top + height - 1)));
}

// The size of any QRect, without the overflow of QRect::width() and height().
inline qint64 width(const QRect& rect)
{
    return qint64(rect.right()) - rect.left() + 1;
}

inline qint64 height(const QRect& rect)
{
    return qint64(rect.bottom()) - rect.top() + 1;
}

// Whether the rectangle is a crop at all: "no crop" is stored as an empty rectangle or as the
// single point at the origin.
inline bool isCrop(const QRect& rect)
{
    return width(rect) > 1 && height(rect) > 1;
}

} // namespace CropRect

#endif // CROPRECT_H
