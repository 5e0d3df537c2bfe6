#ifndef QUARTERTURN_H
#define QUARTERTURN_H

#include <QRect>
#include <QSize>

// Where a rectangle drawn on a photo lies once the photo has been turned by quarter turns
// clockwise (as a rotation of +90 degrees turns a picture whose y axis points down). Used when
// a turn is saved into the photo's files, so that its crop and its marks keep covering the same
// part of the picture.
namespace QuarterTurn {

// turns reduced to 0..3 (any sign, -1 being one turn anticlockwise).
int normalized(int turns);

// The size of a picture of size after the turns.
QSize turnedSize(const QSize& size, int turns);

// rect drawn in a picture of size space, in the turned picture's pixels.
QRect turnedRect(const QRect& rect, const QSize& space, int turns);

// A crop in the photo's 1000 space (the photo fitted into 1000 x 1000) after the photo, of
// size photo, was turned.
QRect turnedThousandRect(const QRect& crop, const QSize& photo, int turns);

// A frame drawn over a picture painted at before, for the turned picture painted at after (both
// in the same coordinates, a label's say): the part of the frame on the picture keeps its place
// on the picture, and what lay off the picture is cut away. Such a frame comes out on after, at
// least a pixel wide and high, so the next turn cuts nothing more: turns do not drift, and four
// of them come back to within the rounding to the smaller of the two layouts (exactly on pixels
// both share). A frame with no part on the picture stays off it: it is returned as it is, or,
// where after would lie under it, moved the shortest way clear of after without passing the
// origin; once clear of both layouts it stays.
QRect turnedFrame(const QRect& frame, const QRect& before, const QRect& after, int turns);

} // namespace QuarterTurn

#endif // QUARTERTURN_H
