#ifndef EXIFJPEG_H
#define EXIFJPEG_H

#include <QByteArray>
#include <QColor>
#include <QImage>

// JPEG files with an EXIF block written byte by byte, so that orientation tests do not
// depend on any EXIF writer.
namespace ExifJpeg {

// One marker segment: 0xFF, the marker, the big-endian length, the payload.
QByteArray segment(quint8 marker, const QByteArray& payload);
// An APP1 EXIF block whose IFD0 holds a few tags, the orientation (any 16-bit value) among
// them, in the given byte order.
QByteArray exifSegment(int orientation, bool littleEndian = false);
// The image as a JPEG of the given quality.
QByteArray encode(const QImage& image, int quality = 90);
// A plain JPEG of one colour.
QByteArray plain(int width, int height, QColor colour = Qt::gray);
// The JPEG with the EXIF block right after SOI; padding > 0 puts a comment segment of that
// many bytes in front of it (an odd number shifts the block to odd offsets).
QByteArray withOrientation(QByteArray jpeg, int orientation, bool littleEndian = false, int padding = 0);

} // namespace ExifJpeg

#endif // EXIFJPEG_H
