#include "upload/finishedcopy.h"

#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imageoperation.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace FinishedCopy {

Folders Folders::ofOpenOrder()
{
    return {DirServer::getFineImagePath(), DirServer::getDeletedImagePath(), DirServer::getFineImageThumbPath100()};
}

QString findOriginalPath(const Folders& folders, const QString& fileName)
{
    // The list names photos with lower-case extensions; the camera's IMG_1.JPG is the same photo.
    for (const QString& folder : {folders.fine, folders.deleted}) {
        const QString path = FileOperation::pathInFolder(folder, fileName);
        if (FileOperation::isFileExist(path))
            return path;
    }
    return QString();
}

bool regenerate(const Folders& folders, const QString& path, const QString& fileName)
{
    const QString original = findOriginalPath(folders, fileName);
    if (original.isEmpty())
        return false;
    const QImage full = ImageOperation::loadImage(original);
    if (full.isNull())
        return false;
    int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        slash = path.lastIndexOf(QLatin1Char('\\'));
    if (slash >= 0)
        FileOperation::makeDir(path.left(slash + 1));
    const QImage copy = full.scaled(1000, 1000, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!ImageOperation::saveImage(copy, path))
        return false;
    if (FileOperation::makeDir(folders.thumbs100))
        ImageOperation::saveImage(
            copy.scaled(200, 200, Qt::KeepAspectRatio, Qt::SmoothTransformation), folders.thumbs100 + fileName);
    return true;
}

QImage loadPreview(const QString& source, int side, bool* exists)
{
    *exists = FileOperation::isFileExist(source);
    if (!*exists)
        return QImage();
    QImageReader reader(source);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && !ImageOperation::isSaneSize(size))
        return QImage();
    if (size.isValid() && (size.width() > side || size.height() > side))
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

bool readFile(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace FinishedCopy
