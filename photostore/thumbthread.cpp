#include "photostore/thumbthread.h"

#include "core/config.h"
#include "core/logging.h"
#include "photostore/imageoperation.h"

#include <QElapsedTimer>
#include <QImageReader>

#include <utility>

ThumbThread::ThumbThread() = default;

ThumbThread::ThumbThread(QString path, int width, int height, bool keepFullSize)
    : m_path(std::move(path))
    , m_width(width)
    , m_height(height)
    , m_keepFullSize(keepFullSize)
{
}

void ThumbThread::setParams(QString path, int width, int height, bool keepFullSize)
{
    m_path = std::move(path);
    m_width = width;
    m_height = height;
    m_keepFullSize = keepFullSize;
}

QImage ThumbThread::loadForShowMode(const QString& path, bool keepFullSize)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && !ImageOperation::isSaneSize(size))
        return QImage();
    if (!keepFullSize && !size.isEmpty()) {
        int target = 0;
        switch (Config::show_mode) {
        case 3:
            target = Config::THUMB_SIZE_1;
            break;
        case 4:
            target = Config::THUMB_SIZE_2;
            break;
        case 5:
            target = Config::THUMB_SIZE_3;
            break;
        default:
            break;
        }
        if (target > 0) {
            const int w = size.width();
            const int h = size.height();
            reader.setScaledSize(
                h < w ? QSize(target, int(qint64(target) * h / w)) : QSize(int(qint64(target) * w / h), target));
        }
    }
    QElapsedTimer timer;
    timer.start();
    const QImage image = reader.read();
    qCDebug(lcPhotoStore) << "用时：" << timer.elapsed();
    return image;
}

void ThumbThread::run()
{
    const QImage image = loadForShowMode(m_path, m_keepFullSize);
    if (image.isNull()) {
        qCDebug(lcPhotoStore) << "aa";
        return;
    }
    emit finishScale(image, m_path, true);
}
