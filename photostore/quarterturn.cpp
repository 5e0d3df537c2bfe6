#include "photostore/quarterturn.h"

#include "photostore/croprect.h"

#include <QRectF>
#include <cmath>

namespace QuarterTurn {

namespace {

// The turn in a picture of size space, in exact arithmetic.
QRectF turnedIn(const QRectF& r, const QSizeF& space, int turns)
{
    switch (normalized(turns)) {
    case 1:
        return QRectF(space.height() - r.y() - r.height(), r.x(), r.height(), r.width());
    case 2:
        return QRectF(space.width() - r.x() - r.width(), space.height() - r.y() - r.height(), r.width(), r.height());
    case 3:
        return QRectF(r.y(), space.width() - r.x() - r.width(), r.height(), r.width());
    default:
        return r;
    }
}

int whole(double value)
{
    // Within the range of a frame on a screen or a photo; anything else is clamped, not wrapped.
    return int(qBound(-1.0e9, std::floor(value + 0.5), 1.0e9));
}

QRect rounded(const QRectF& r)
{
    const qint64 left = whole(r.left());
    const qint64 top = whole(r.top());
    return CropRect::make(left, top, whole(r.right()) - left, whole(r.bottom()) - top);
}

// Sizes in 64 bits: a crop from the back end may reach the ends of the int range.
QRectF exact(const QRect& r)
{
    return QRectF(r.x(), r.y(), double(CropRect::width(r)), double(CropRect::height(r)));
}

} // namespace

int normalized(int turns)
{
    return (turns % 4 + 4) % 4;
}

QSize turnedSize(const QSize& size, int turns)
{
    return normalized(turns) % 2 ? size.transposed() : size;
}

QRect turnedRect(const QRect& rect, const QSize& space, int turns)
{
    return rounded(turnedIn(exact(rect), QSizeF(space), turns));
}

QRect turnedThousandRect(const QRect& crop, const QSize& photo, int turns)
{
    if (photo.isEmpty())
        return crop;
    const QSize before = photo.scaled(1000, 1000, Qt::KeepAspectRatio);
    const QSize after = turnedSize(photo, turns).scaled(1000, 1000, Qt::KeepAspectRatio);
    const QRectF turned = turnedIn(exact(crop), QSizeF(before), turns);
    // The turned 1000 space is the transposed one up to rounding of its short side.
    const QSizeF transposed = QSizeF(turnedSize(before, turns));
    const double fx = after.width() / transposed.width();
    const double fy = after.height() / transposed.height();
    return rounded(QRectF(turned.x() * fx, turned.y() * fy, turned.width() * fx, turned.height() * fy));
}

QRect turnedFrame(const QRect& frame, const QRect& before, const QRect& after, int turns)
{
    if (before.isEmpty() || after.isEmpty())
        return frame;
    // In the picture's own pixels as painted before, turned, then placed where the turned
    // picture is painted.
    const QRectF own = exact(frame).translated(-before.topLeft());
    const QRectF turned = turnedIn(own, QSizeF(before.size()), turns);
    const QSizeF painted = QSizeF(turnedSize(before.size(), turns));
    const double fx = after.width() / painted.width();
    const double fy = after.height() / painted.height();
    return rounded(
        QRectF(after.x() + turned.x() * fx, after.y() + turned.y() * fy, turned.width() * fx, turned.height() * fy));
}

} // namespace QuarterTurn
