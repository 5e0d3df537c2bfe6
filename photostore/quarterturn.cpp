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

// r on whole pixels of picture, at least one each way: a sliver of a frame scaled down to the
// turned picture stays a frame there.
QRect within(const QRectF& r, const QRect& picture)
{
    const qint64 left = picture.left();
    const qint64 top = picture.top();
    const qint64 right = left + picture.width();
    const qint64 bottom = top + picture.height();
    const qint64 l = qBound(left, qint64(whole(r.left())), right - 1);
    const qint64 t = qBound(top, qint64(whole(r.top())), bottom - 1);
    const qint64 w = qBound(qint64(1), whole(r.right()) - l, right - l);
    const qint64 h = qBound(qint64(1), whole(r.bottom()) - t, bottom - t);
    return CropRect::make(l, t, w, h);
}

// frame where it lies, or, when it has pixels on picture, moved the shortest way clear of it,
// never past the origin (a label's left and top edges, beyond which no mark can be kept).
QRect clearOf(const QRect& frame, const QRect& picture)
{
    const qint64 width = CropRect::width(frame);
    const qint64 height = CropRect::height(frame);
    const qint64 left = frame.left();
    const qint64 top = frame.top();
    const qint64 right = frame.right();
    const qint64 bottom = frame.bottom();
    if (width < 1 || height < 1 || right < picture.left() || left > picture.right() || bottom < picture.top()
        || top > picture.bottom())
        return frame;
    const struct
    {
        qint64 distance, left, top;
    } ways[] = {
        {right - picture.left() + 1, picture.left() - width, top},
        {picture.right() + 1 - left, picture.right() + 1, top},
        {bottom - picture.top() + 1, left, picture.top() - height},
        {picture.bottom() + 1 - top, left, picture.bottom() + 1},
    };
    QRect clear = frame;
    qint64 shortest = -1;
    for (const auto& way : ways) {
        if (way.left < 0 || way.top < 0 || !CropRect::fits(way.left, way.top, width, height))
            continue;
        if (shortest < 0 || way.distance < shortest) {
            shortest = way.distance;
            clear = CropRect::make(way.left, way.top, width, height);
        }
    }
    return clear;
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
    // Only the part on the picture covers content that the turn can follow. A frame with none
    // covers no content, before the turn or after it: turned, it could land on content it was
    // never drawn on, so it stays where it lies unless the turned picture is painted there.
    const QRectF on = exact(frame).intersected(exact(before));
    if (on.isEmpty())
        return clearOf(frame, after);
    // In the picture's own pixels as painted before, turned, then placed where the turned
    // picture is painted.
    const QRectF turned = turnedIn(on.translated(-before.topLeft()), QSizeF(before.size()), turns);
    const QSizeF painted = QSizeF(turnedSize(before.size(), turns));
    const double fx = after.width() / painted.width();
    const double fy = after.height() / painted.height();
    return within(
        QRectF(after.x() + turned.x() * fx, after.y() + turned.y() * fy, turned.width() * fx, turned.height() * fy),
        after);
}

} // namespace QuarterTurn
