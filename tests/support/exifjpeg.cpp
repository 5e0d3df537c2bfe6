#include "tests/support/exifjpeg.h"

#include <QBuffer>
#include <QtEndian>

namespace ExifJpeg {

QByteArray segment(quint8 marker, const QByteArray& payload)
{
    QByteArray s;
    s += char(0xFF);
    s += char(marker);
    s += char((payload.size() + 2) >> 8);
    s += char((payload.size() + 2) & 0xFF);
    return s + payload;
}

QByteArray exifSegment(int orientation, bool littleEndian)
{
    auto u16 = [littleEndian](quint16 v) {
        QByteArray b(2, 0);
        littleEndian ? qToLittleEndian(v, b.data()) : qToBigEndian(v, b.data());
        return b;
    };
    auto u32 = [littleEndian](quint32 v) {
        QByteArray b(4, 0);
        littleEndian ? qToLittleEndian(v, b.data()) : qToBigEndian(v, b.data());
        return b;
    };
    QByteArray tiff = littleEndian ? QByteArray("II") : QByteArray("MM");
    tiff += u16(42) + u32(8) + u16(3);
    tiff += u16(0x010F) + u16(2) + u32(4) + QByteArray("Cam", 4); // Make
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(quint16(orientation)) + u16(0);
    tiff += u16(0x011A) + u16(5) + u32(1) + u32(0); // XResolution
    tiff += u32(0);
    return segment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

QByteArray encode(const QImage& image, int quality)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", quality);
    return data;
}

QByteArray plain(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return encode(image);
}

QByteArray withOrientation(QByteArray jpeg, int orientation, bool littleEndian, int padding)
{
    QByteArray inserted;
    if (padding > 0)
        inserted += segment(0xFE, QByteArray(padding, 'x'));
    inserted += exifSegment(orientation, littleEndian);
    jpeg.insert(2, inserted);
    return jpeg;
}

} // namespace ExifJpeg
