#ifndef IMAGEOPERATION_H
#define IMAGEOPERATION_H

#include "photostore/image.h"

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

    // The files and crop of one photo. Workers take them on the GUI thread when they are
    // made, so that they never read the path registry while an order is being switched.
    struct PhotoFiles
    {
        QString full;   // the full-size file
        QString middle; // 2250
        QString small;  // 1000
        QString list;   // 200, in the folders named "100"
        QString name;
        PHOTOTYPE type = PHOTO_RAW;
        QRect crop;
        bool ellipse = false;
        int products = 0;

        static PhotoFiles of(const Image& image);
    };

    // List icon of the photo at the given size; writes the thumbnail levels that are missing.
    static QPixmap getThumb(Image image, int size);
    // Rewrites all three levels from the full-size file; null when that file is missing.
    static QPixmap getThumbEnforce(Image image, int size);
    // Icon for the sheets: from the small thumbnail, crop outline, no badge.
    static QPixmap getWebViewThumb(Image image, int size);
    // The same three as images, for workers (pixmaps belong to the GUI thread).
    static QImage listIcon(const PhotoFiles& photo, int size);
    // Writes the thumbnail levels that are missing, as listIcon would, without decoding a
    // list thumbnail that is already there (its icon is made when it is shown).
    static void makeMissingLevels(const PhotoFiles& photo);
    static QImage rebuiltListIcon(const PhotoFiles& photo, int size);
    static QImage sheetIcon(const PhotoFiles& photo, int size);

    // List icon: image scaled to fit size x size, crop outline, framed square, badge.
    static QImage getThumb(QImage image, QRect rect, int size, bool ellipse, int num);
    static QRect scaleRect(QImage from, QRect rect, QImage to);
    static QRect scaleRect(QImage image, QRect rect, int n);
    // The same mapping between two sizes; an empty source gives an empty rectangle.
    static QRect scaleRectBySize(QSize from, QRect rect, QSize to);
    static QImage addRectToImage(QImage image, QRect rect, bool ellipse);
    static QImage getSquareImage(QImage image);
    static QImage addNumToImage(QImage image, int num);
    // Darkens everything outside the crop of a 成品 photo (crop wider and higher than 20).
    static QImage getGrayImage(PHOTOTYPE type, QImage image, QRect rect, bool ellipse);

    // EXIF orientation 1 to 8 of a file; 1 when absent or unreadable.
    static int getDirection(QString path);
    // The picture as an EXIF orientation 1 to 8 says it is to be seen (turns, mirrors and
    // transposes); any other value leaves it as it is.
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
    // Like loadImageAtLeast, for a picture to be fitted into box (keeping its ratio): the
    // result still covers the fitted picture. A box that is not valid reads the whole file.
    static QImage loadImageFitting(const QString& path, QSize box, QSize* fullSize = nullptr);
    // Largest picture we agree to decode: a corrupt or hostile file must not exhaust memory.
    static const int MaxSide = 65535; // what JPEG itself can describe
    static const qint64 MaxPixels = 250000000;
    static bool isSaneSize(const QSize& size);
    // False for a JPEG whose data stops before its end marker (a file still being copied),
    // and for a file that cannot be opened; other formats count as complete.
    static bool isComplete(const QString& path);

private:
    static QImage writeLevels(const PhotoFiles& photo, bool middle, bool small);
    static int exifOrientation(QIODevice& file);
    static int tiffOrientation(QIODevice& file, qint64 base, qint64 end);
};

#endif // IMAGEOPERATION_H
