#include "photostore/imageoperation.h"

#include "core/config.h"
#include "core/logging.h"
#include "photostore/croprect.h"
#include "photostore/fileoperation.h"
#include "photostore/picturecache.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

ImageOperation::ImageOperation() = default;

bool ImageOperation::isSaneSize(const QSize& size)
{
    return size.width() <= MaxSide && size.height() <= MaxSide && qint64(size.width()) * size.height() <= MaxPixels;
}

namespace {

// QPainter cannot draw on every format (indexed, grey); icons are drawn in colour.
QImage paintable(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    default:
        return image.convertToFormat(
            image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    }
}

// What an EXIF orientation asks of the stored picture to show it upright, in the terms of
// QImageIOHandler (mirror and flip first, then a quarter turn clockwise).
QImageIOHandler::Transformations orientationTransformation(int direction)
{
    switch (direction) {
    case 2:
        return QImageIOHandler::TransformationMirror;
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 4:
        return QImageIOHandler::TransformationFlip;
    case 5:
        return QImageIOHandler::TransformationFlipAndRotate90;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    case 7:
        return QImageIOHandler::TransformationMirrorAndRotate90;
    case 8:
        return QImageIOHandler::TransformationRotate270;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

template <typename Picture> Picture turnedUpright(const Picture& picture, int direction)
{
    const QImageIOHandler::Transformations t = orientationTransformation(direction);
    if (t == QImageIOHandler::TransformationNone)
        return picture;
    qCDebug(lcPhotoStore) << "旋转图片旋转图片" << direction;
    QTransform transform;
    if (t & QImageIOHandler::TransformationMirror)
        transform.scale(-1, 1);
    if (t & QImageIOHandler::TransformationFlip)
        transform.scale(1, -1);
    // a * b applies a first: the mirroring, then the quarter turn.
    if (t & QImageIOHandler::TransformationRotate90)
        transform = transform * QTransform().rotate(90);
    return picture.transformed(transform, Qt::SmoothTransformation);
}

// Size of a picture of the given size scaled to fit side x side (as QImage::scaled does).
QSize fitted(const QSize& size, int side)
{
    QSize s = size.scaled(side, side, Qt::KeepAspectRatio);
    return QSize(std::max(s.width(), 1), std::max(s.height(), 1));
}

// Reads a device forward through a buffer of its own; finds 0xFF bytes with memchr, so a
// whole photo is walked at memory speed.
class ByteScanner
{
public:
    explicit ByteScanner(QIODevice& device)
        : m_device(device)
    {
    }

    int next()
    {
        if (m_pos == m_buffer.size() && !fill())
            return -1;
        return uchar(m_buffer.at(m_pos++));
    }

    bool skip(int count)
    {
        while (count > 0) {
            if (m_pos == m_buffer.size() && !fill())
                return false;
            const int step = std::min(count, m_buffer.size() - m_pos);
            m_pos += step;
            count -= step;
        }
        return true;
    }

    // Moves just past the next 0xFF byte; false when the data ends first.
    bool skipPastFF()
    {
        for (;;) {
            if (m_pos == m_buffer.size() && !fill())
                return false;
            const char* start = m_buffer.constData() + m_pos;
            const void* hit = std::memchr(start, 0xFF, size_t(m_buffer.size() - m_pos));
            if (hit) {
                m_pos += int(static_cast<const char*>(hit) - start) + 1;
                return true;
            }
            m_pos = m_buffer.size();
        }
    }

private:
    bool fill()
    {
        m_buffer = m_device.read(64 * 1024);
        m_pos = 0;
        return !m_buffer.isEmpty();
    }

    QIODevice& m_device;
    QByteArray m_buffer;
    int m_pos = 0;
};

// Whether the JPEG data that starts at the device's position reaches its end-of-image marker.
// Segments are skipped by their length (an EXIF thumbnail carries an end marker of its own);
// in scan data 0xFF is followed by a stuffed 0 or a restart marker unless a marker begins.
bool jpegReachesEnd(QIODevice& device)
{
    ByteScanner in(device);
    if (in.next() != 0xFF || in.next() != 0xD8)
        return false;
    for (;;) {
        if (!in.skipPastFF())
            return false;
        int marker = in.next();
        while (marker == 0xFF) // fill bytes
            marker = in.next();
        if (marker < 0)
            return false;
        if (marker == 0xD9)
            return true;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length field
        const int high = in.next();
        const int low = in.next();
        if (low < 0)
            return false;
        if (!in.skip(std::max(0, (high << 8 | low) - 2)))
            return false;
    }
}

const int SmallSide = 1000;
const int ListSide = 200;

} // namespace

bool ImageOperation::isComplete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.peek(2);
    if (start.size() < 2 || uchar(start[0]) != 0xFF || uchar(start[1]) != 0xD8)
        return true; // not a JPEG: a cut file of another format does not decode at all
    return jpegReachesEnd(file);
}

ImageOperation::PhotoFiles ImageOperation::PhotoFiles::of(const Image& image)
{
    PhotoFiles files;
    files.full = image.GetBigImagePath();
    files.middle = image.GetMiddleImagePath();
    files.small = image.GetImagePath();
    files.list = image.GetThumbPath100();
    files.name = image.GetImageName();
    files.type = image.GetPicType();
    files.crop = image.GetTrimrc();
    files.ellipse = image.isEllipse();
    files.products = image.getProductNum();
    return files;
}

QPixmap ImageOperation::getThumb(Image image, int size)
{
    return QPixmap::fromImage(listIcon(PhotoFiles::of(image), size));
}

QPixmap ImageOperation::getThumbEnforce(Image image, int size)
{
    return QPixmap::fromImage(rebuiltListIcon(PhotoFiles::of(image), size));
}

QPixmap ImageOperation::getWebViewThumb(Image image, int size)
{
    return QPixmap::fromImage(sheetIcon(PhotoFiles::of(image), size));
}

// Writes the levels from the full-size file, each scaled from the level before it made in
// the same call, and returns the last level made (the list level is always made). The
// decoder skips what the largest level made does not need; each level keeps the exact
// size it would have if scaled from the whole picture.
QImage ImageOperation::writeLevels(const PhotoFiles& photo, bool middle, bool small)
{
    const int needed = middle ? Config::THUMB_SIZE_MID : (small ? SmallSide : ListSide);
    QSize logical;
    QImage work = loadImageAtLeast(photo.full, needed, &logical);
    if (work.isNull())
        return work;
    if (!logical.isValid())
        logical = work.size();
    // A photo still being copied decodes as a half-grey picture: it gives an icon for now,
    // but no level is stored, so the next listing makes them from the whole file.
    const bool store = isComplete(photo.full);
    auto level = [&](int side, Qt::TransformationMode mode, const QString& path) {
        logical = fitted(logical, side);
        work = work.scaled(logical, Qt::IgnoreAspectRatio, mode);
        if (store)
            saveImage(work, path);
    };
    if (middle)
        level(Config::THUMB_SIZE_MID, Qt::FastTransformation, photo.middle);
    if (small)
        level(SmallSide, Qt::SmoothTransformation, photo.small);
    level(ListSide, Qt::SmoothTransformation, photo.list);
    return work;
}

QImage ImageOperation::listIcon(const PhotoFiles& photo, int size)
{
    QImage list;
    if (FileOperation::isFileExist(photo.list))
        list = loadImage(photo.list);
    // A list thumbnail that cannot be read is made again rather than trusted for ever.
    if (list.isNull()) {
        list = writeLevels(photo, !FileOperation::isFileExist(photo.middle), !FileOperation::isFileExist(photo.small));
        qCDebug(lcPhotoStore) << "sizesizesizesize" << size;
        qCDebug(lcPhotoStore) << photo.name << "来自原图";
    }
    return getThumb(list, photo.crop, size, photo.ellipse, photo.products);
}

void ImageOperation::makeMissingLevels(const PhotoFiles& photo)
{
    if (FileOperation::isFileExist(photo.list))
        return;
    writeLevels(photo, !FileOperation::isFileExist(photo.middle), !FileOperation::isFileExist(photo.small));
}

QImage ImageOperation::rebuiltListIcon(const PhotoFiles& photo, int size)
{
    if (!FileOperation::isFileExist(photo.full))
        return QImage();
    const QImage list = writeLevels(photo, true, true);
    return getThumb(list, photo.crop, size, photo.ellipse, photo.products);
}

QImage ImageOperation::sheetIcon(const PhotoFiles& photo, int size)
{
    if (photo.type != PHOTO_FINE)
        qCDebug(lcPhotoStore) << "出错：网页中的照片不是来自成品！";
    QImage small;
    if (FileOperation::isFileExist(photo.small))
        small = loadImage(photo.small);
    if (small.isNull()) {
        QSize full;
        small = loadImageAtLeast(photo.full, SmallSide, &full);
        if (!small.isNull()) {
            small = small.scaled(fitted(full.isValid() ? full : small.size(), SmallSide), Qt::IgnoreAspectRatio,
                Qt::SmoothTransformation);
            if (isComplete(photo.full))
                saveImage(small, photo.small);
        }
    }
    return getThumb(small, photo.crop, size, photo.ellipse, 0);
}

QImage ImageOperation::getThumb(QImage image, QRect rect, int size, bool ellipse, int num)
{
    QImage scaled = image;
    if (image.width() > size || image.height() > size)
        scaled = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The crop is stored in the space of the picture fitted into 1000 x 1000; only that
    // space's size matters, so the picture need not really be scaled to it.
    const QSize reference = image.size().scaled(1000, 1000, Qt::KeepAspectRatio);
    const QRect mapped = scaleRectBySize(reference, rect, scaled.size());
    return addNumToImage(getSquareImage(addRectToImage(scaled, mapped, ellipse)), num);
}

QRect ImageOperation::scaleRectBySize(QSize from, QRect rect, QSize to)
{
    if (from.isEmpty())
        return QRect();
    const double fx = double(to.width()) / from.width();
    const double fy = double(to.height()) / from.height();
    // Truncated toward zero in 64 bits; a result that no QRect holds is no rectangle.
    auto whole = [](double value, qint64* out) {
        if (!(std::fabs(value) < 9.0e18))
            return false;
        *out = qint64(value);
        return true;
    };
    qint64 left, top, width, height;
    if (!whole(rect.x() * fx, &left) || !whole(rect.y() * fy, &top) || !whole(CropRect::width(rect) * fx, &width)
        || !whole(CropRect::height(rect) * fy, &height))
        return QRect();
    return CropRect::make(left, top, width, height);
}

QRect ImageOperation::scaleRect(QImage from, QRect rect, QImage to)
{
    return scaleRectBySize(from.size(), rect, to.size());
}

QRect ImageOperation::scaleRect(QImage image, QRect rect, int n)
{
    return scaleRectBySize(image.size(), rect, image.size().scaled(n, n, Qt::KeepAspectRatio));
}

QImage ImageOperation::addRectToImage(QImage image, QRect rect, bool ellipse)
{
    if (image.isNull())
        return image;
    image = paintable(image);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(32, 45, 98, 255), 2));
    if (ellipse)
        painter.drawEllipse(rect);
    else
        painter.drawRect(rect);
    return image;
}

QImage ImageOperation::getSquareImage(QImage image)
{
    if (image.isNull())
        return image;
    const int side = std::max(image.width(), image.height());
    QImage square(side, side, QImage::Format_ARGB32);
    if (square.isNull())
        return square;
    square.fill(Qt::white);
    QPainter painter(&square);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(0, 0, side, side);
    const QImage fitted = image.scaled(side - 2, side - 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage((side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted);
    return square;
}

QImage ImageOperation::addNumToImage(QImage image, int num)
{
    if (num <= 0 || image.isNull())
        return image;
    image = paintable(image);
    const int width = num <= 10 ? 7 : (num <= 100 ? 12 : 20);
    const QRect badge(6, image.height() - 13, width, 13);
    QPainter painter(&image);
    painter.setBrush(QColor(5, 5, 5));
    painter.drawRect(badge);
    QFont font = QGuiApplication::font();
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(QPen(QColor(246, 42, 53), 1));
    painter.drawText(badge, Qt::AlignHCenter | Qt::AlignVCenter, QString::number(num));
    return image;
}

QImage ImageOperation::getGrayImage(PHOTOTYPE type, QImage image, QRect rect, bool ellipse)
{
    if (type != PHOTO_FINE || rect.width() <= 20 || rect.height() <= 20 || image.isNull())
        return image;
    image = paintable(image);
    QPainterPath path;
    path.addRect(image.rect());
    if (ellipse)
        path.addEllipse(rect);
    else
        path.addRect(rect);
    QPainter painter(&image);
    painter.setBrush(QColor(0, 0, 0, 180));
    painter.drawPath(path);
    return image;
}

int ImageOperation::getDirection(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcPhotoStore) << "文件不存在" << path;
        return 1;
    }
    const int direction = exifOrientation(file);
    if (direction >= 1 && direction <= 8) {
        qCDebug(lcPhotoStore) << "找到方向了" << direction;
        return direction;
    }
    qCDebug(lcPhotoStore) << "没找到方向";
    return 1;
}

// Orientation tag of a JPEG's EXIF block (APP1) or of a TIFF file; 0 when there is none.
int ImageOperation::exifOrientation(QIODevice& file)
{
    const QByteArray start = file.read(4);
    if (start.startsWith("II") || start.startsWith("MM"))
        return tiffOrientation(file, 0, file.size());
    if (start.size() < 2 || uchar(start[0]) != 0xFF || uchar(start[1]) != 0xD8)
        return 0;
    qint64 pos = 2;
    // The EXIF block comes before the image data; walk the marker segments up to it.
    for (int segments = 0; segments < 1000; ++segments) {
        if (!file.seek(pos))
            return 0;
        QByteArray head = file.read(2);
        if (head.size() < 2 || uchar(head[0]) != 0xFF)
            return 0;
        while (uchar(head[1]) == 0xFF) { // fill bytes before a marker
            if (!file.getChar(head.data() + 1))
                return 0;
            ++pos;
        }
        const uchar marker = uchar(head[1]);
        pos += 2;
        if (marker == 0xD9 || marker == 0xDA) // end of image, start of scan
            return 0;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) // no length field
            continue;
        const QByteArray lengthBytes = file.read(2);
        if (lengthBytes.size() < 2)
            return 0;
        const int length = qFromBigEndian<quint16>(lengthBytes.constData());
        if (length < 2)
            return 0;
        if (marker == 0xE1 && length >= 2 + 6 + 8 && file.read(6) == QByteArray("Exif\0\0", 6)) {
            const int found = tiffOrientation(file, pos + 2 + 6, pos + length);
            if (found)
                return found;
        }
        pos += length;
    }
    return 0;
}

// Tag 0x0112 of IFD0 of the TIFF structure that starts at base and must end by end.
int ImageOperation::tiffOrientation(QIODevice& file, qint64 base, qint64 end)
{
    if (!file.seek(base))
        return 0;
    const QByteArray header = file.read(8);
    if (header.size() < 8)
        return 0;
    bool little;
    if (header.startsWith("II"))
        little = true;
    else if (header.startsWith("MM"))
        little = false;
    else
        return 0;
    auto u16 = [little](const char* p) { return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p); };
    auto u32 = [little](const char* p) { return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p); };
    if (u16(header.constData() + 2) != 42)
        return 0;
    const qint64 ifd = base + u32(header.constData() + 4);
    if (ifd + 2 > end || !file.seek(ifd))
        return 0;
    const QByteArray countBytes = file.read(2);
    if (countBytes.size() < 2)
        return 0;
    const qint64 count = std::min<qint64>(u16(countBytes.constData()), (end - ifd - 2) / 12);
    const QByteArray entries = file.read(count * 12);
    for (qint64 i = 0; i + 1 <= count && (i + 1) * 12 <= entries.size(); ++i) {
        const char* entry = entries.constData() + i * 12;
        if (u16(entry) != 0x0112)
            continue;
        const quint16 type = u16(entry + 2);
        int value = 0;
        if (type == 3) // SHORT, the type the standard gives the tag
            value = u16(entry + 8);
        else if (type == 4) // LONG, written by a few tools
            value = int(std::min<quint32>(u32(entry + 8), 0xFFFF));
        return (value >= 1 && value <= 8) ? value : 0;
    }
    return 0;
}

QImage ImageOperation::rotateImage(QImage image, int direction)
{
    return turnedUpright(image, direction);
}

QPixmap ImageOperation::rotateImage(QPixmap pixmap, int direction)
{
    return turnedUpright(pixmap, direction);
}

QImage ImageOperation::loadImage(QString path)
{
    return loadImageAtLeast(path, 0);
}

namespace {

// Reads path at the largest libjpeg reduction d (8, 4, 2) for which enough(file size, d)
// holds, whole when none does or the file is no JPEG.
QImage loadReduced(const QString& path, QSize* fullSize, const std::function<bool(QSize, int)>& enough)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (fullSize)
        *fullSize = size;
    if (size.isValid() && !ImageOperation::isSaneSize(size))
        return QImage();
    // libjpeg decodes at 1/2, 1/4 or 1/8 for the cost of the smaller picture. Each side is
    // rounded down so that Qt asks libjpeg for exactly that factor.
    if (size.isValid() && reader.format() == "jpeg") {
        for (int d : {8, 4, 2}) {
            if (enough(size, d)) {
                reader.setScaledSize(QSize(std::max(1, size.width() / d), std::max(1, size.height() / d)));
                break;
            }
        }
    }
    return reader.read();
}

} // namespace

QImage ImageOperation::loadImageAtLeast(const QString& path, int minLongSide, QSize* fullSize)
{
    return loadReduced(path, fullSize, [minLongSide](QSize size, int d) {
        return minLongSide > 0 && std::max(size.width(), size.height()) / d >= minLongSide;
    });
}

QImage ImageOperation::loadImageFitting(const QString& path, QSize box, QSize* fullSize)
{
    if (box.width() <= 0 || box.height() <= 0)
        return loadReduced(path, fullSize, [](QSize, int) { return false; });
    return loadReduced(path, fullSize, [box](QSize size, int d) {
        const QSize fitted = size.scaled(box, Qt::KeepAspectRatio);
        return size.width() / d >= fitted.width() && size.height() / d >= fitted.height();
    });
}

QPixmap ImageOperation::loadPixmap(QString path)
{
    return QPixmap::fromImage(loadImage(path));
}

QImage ImageOperation::getRotatedImage(QString)
{
    return QImage();
}

bool ImageOperation::saveImage(const QImage& image, const QString& path, const char* format, int quality)
{
    if (image.isNull() || path.isEmpty())
        return false;
    const QByteArray fmt = format ? QByteArray(format) : QFileInfo(path).suffix().toLatin1();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, fmt);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    const bool written = file.commit();
    // A picture the viewer decoded from the old file is stale now.
    PictureCache::shared().forget(path);
    return written;
}

QImage ImageOperation::correctImageColors(const QImage& image)
{
    if (image.isNull())
        return image.copy();
    QImage out = image.format() == QImage::Format_ARGB32 ? image.copy() : image.convertToFormat(QImage::Format_ARGB32);
    auto channel = [](double c) { return std::clamp(int(c * 255 + 0.5), 0, 255); };
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const double r = qRed(line[x]) / 255.0;
            const double g = qGreen(line[x]) / 255.0;
            const double b = qBlue(line[x]) / 255.0;
            const double grey = 0.299 * r + 0.587 * g + 0.114 * b;
            const double nr = ((r - grey) * 0.98 + grey) * 0.97;
            const double ng = ((g - grey) * 0.98 + grey) * 0.96;
            const double nb = ((b - grey) * 0.98 + grey) * 0.99;
            line[x] = qRgba(channel(nr), channel(ng), channel(nb), qAlpha(line[x]));
        }
    }
    return out;
}

QImage ImageOperation::reduceSaturation(const QImage& image, double factor)
{
    if (image.isNull() || image.sizeInBytes() > 20 * 1024 * 1024)
        return image.copy();
    QImage out = image;
    if (out.format() != QImage::Format_RGB32) {
        qCDebug(lcPhotoStore) << "开始进行图片处理了";
        out = out.convertToFormat(QImage::Format_RGB32);
    } else {
        out.detach();
    }
    auto bound = [](double c) { return std::clamp(int(c), 0, 255); };
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int r = qRed(line[x]);
            const int g = qGreen(line[x]);
            const int b = qBlue(line[x]);
            const int grey = int(0.299 * r + 0.587 * g + 0.114 * b);
            const int nr = bound((r - grey) * factor + grey);
            const int ng = bound((g - grey) * factor + grey);
            const int nb = bound((b - grey) * factor + grey);
            line[x] = qRgba(bound(nr * 0.97), bound(ng * 1.01), nb, 255);
        }
    }
    return out;
}
