#ifndef PICTUREZOOM_H
#define PICTUREZOOM_H

#include <QPoint>
#include <QSize>

// The zoom and drag arithmetic that the picture widgets and the full-screen view share:
// seven steps of 1.25 above the fitted size.
namespace PictureZoom {

const int MaxLevel = 7;

// One step in or out, kept within 0 .. MaxLevel.
int stepped(int level, bool zoomIn);
// The box a picture is fitted into at a level: the widget's size times 1.25^level, truncated.
QSize box(const QSize& widget, int level);
// The level as a truncated percentage: 100, 125, 156 .. 476.
int percent(int level);
// The offset of a dragged picture, clamped so that a picture larger than the widget moves only
// as far as its edges reach and a smaller one stays centred.
QPoint clampedDrag(const QSize& picture, const QSize& widget, const QPoint& drag);

} // namespace PictureZoom

#endif // PICTUREZOOM_H
