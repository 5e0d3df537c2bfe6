#ifndef IMAGEOPERATION_H
#define IMAGEOPERATION_H

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

class QIODevice;

// Image work of the client: the thumbnail levels of the order's photos, list icons with
// crop outline and product badge, EXIF orientation and turning upright, crop shading.
// Static operations only; they keep no state and run on any thread.
class ImageOperation
{
public:
    ImageOperation();

    // List icon: image scaled to fit size x size, crop outline, framed square, badge.
    static QImage getThumb(QImage image, QRect rect, int size, bool ellipse, int num);
    static QRect scaleRect(QImage from, QRect rect, QImage to);
    static QRect scaleRect(QImage image, QRect rect, int n);
    static QImage addRectToImage(QImage image, QRect rect, bool ellipse);
    static QImage getSquareImage(QImage image);
    static QImage addNumToImage(QImage image, int num);

    // EXIF orientation 1 to 8 of a file; 1 when absent or unreadable.
    static int getDirection(QString path);
    static QImage rotateImage(QImage image, int direction);
    static QPixmap rotateImage(QPixmap pixmap, int direction);
    // The file as stored (no orientation applied); null when unreadable or absurdly large.
    static QImage loadImage(QString path);
    static QPixmap loadPixmap(QString path);
    static QImage getRotatedImage(QString path);
    static QImage correctImageColors(const QImage& image);
    static QImage reduceSaturation(const QImage& image, double factor);

    // Writes the image completely to a temporary file beside the target and only then
    // renames it over the target, so a failed or interrupted save leaves the old file as it
    // was. The format comes from the suffix unless given.
    static bool saveImage(const QImage& image, const QString& path, const char* format = nullptr, int quality = 100);
    // Like loadImage, but lets the JPEG decoder skip detail: the result's longer side is at
    // least minLongSide (or the file's own size when smaller). fullSize receives the
    // file's own size.
    static QImage loadImageAtLeast(const QString& path, int minLongSide, QSize* fullSize = nullptr);
    // Largest picture we agree to decode: a corrupt or hostile file must not exhaust memory.
    static const int MaxSide = 30000;
    static const qint64 MaxPixels = 250000000;

private:
    static QRect scaleRectBySize(QSize from, QRect rect, QSize to);
    static int exifOrientation(QIODevice& file);
    static int tiffOrientation(QIODevice& file, qint64 base, qint64 end);
};

#endif // IMAGEOPERATION_H
