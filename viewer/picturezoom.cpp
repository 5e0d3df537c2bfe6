#include "viewer/picturezoom.h"

#include <QtGlobal>

#include <cmath>

namespace PictureZoom {

namespace {

const double Step = 1.25;

} // namespace

int stepped(int level, bool zoomIn)
{
    return qBound(0, level + (zoomIn ? 1 : -1), MaxLevel);
}

QSize box(const QSize& widget, int level)
{
    const double factor = std::pow(Step, level);
    return QSize(int(widget.width() * factor), int(widget.height() * factor));
}

int percent(int level)
{
    return int(std::pow(Step, level) * 100);
}

QPoint clampedDrag(const QSize& picture, const QSize& widget, const QPoint& drag)
{
    const int w = picture.width();
    const int h = picture.height();
    const int dx = w > widget.width() ? qBound(-((w - widget.width()) / 2), drag.x(), (w - widget.width()) / 2) : 0;
    const int dy = h > widget.height() ? qBound(-((h - widget.height()) / 2), drag.y(), (h - widget.height()) / 2) : 0;
    return QPoint(dx, dy);
}

} // namespace PictureZoom
