#ifndef HOMEIMAGE_H
#define HOMEIMAGE_H

#include <QList>
#include <QString>
#include <QtGlobal>

// A picture path with a list of frames on it.
class HomeImage
{
public:
    // Sixteen bytes of integer data, copied byte for byte.
    struct ImageFrame
    {
        qint32 values[4] = {0, 0, 0, 0};
    };

    explicit HomeImage(QString path);

    void addImageFrame(ImageFrame frame);
    QString getImagePath() const;
    QList<ImageFrame> getImageFrames() const;

private:
    QString m_path;
    QList<ImageFrame> m_frames;
};

static_assert(sizeof(HomeImage::ImageFrame) == 16, "ImageFrame is a 16-byte value");

#endif // HOMEIMAGE_H
