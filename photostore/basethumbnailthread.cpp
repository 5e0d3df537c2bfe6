#include "photostore/basethumbnailthread.h"

#include "photostore/imageoperation.h"

#include <algorithm>
#include <utility>

BaseThumbnailThread::BaseThumbnailThread() = default;

BaseThumbnailThread::BaseThumbnailThread(QString path, int width, int height)
    : m_path(std::move(path))
    , m_width(width)
    , m_height(height)
{
}

void BaseThumbnailThread::setParams(QString path, int width, int height)
{
    m_path = std::move(path);
    m_width = width;
    m_height = height;
}

void BaseThumbnailThread::run()
{
    if (!m_path.isEmpty() && m_width != 0 && m_height != 0) {
        const QImage image = ImageOperation::loadImageAtLeast(m_path, std::max(qAbs(m_width), qAbs(m_height)));
        emit finishScale(image.scaled(m_width, m_height, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        return;
    }
    emit finishScale(ImageOperation::loadImage(m_path));
}
