#include "widgets/homeimage.h"

#include <utility>

HomeImage::HomeImage(QString path)
    : m_path(std::move(path))
{
}

void HomeImage::addImageFrame(ImageFrame frame)
{
    m_frames.append(frame);
}

QString HomeImage::getImagePath() const
{
    return m_path;
}

QList<HomeImage::ImageFrame> HomeImage::getImageFrames() const
{
    return m_frames;
}
