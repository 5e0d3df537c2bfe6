#include "photostore/image.h"

#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"

namespace {
// The path of a full-size file in folder. A record from a listing knows its spelling; any
// other record (made from a product's photo name, say) finds the file whatever the case of
// its name.
QString fullSizePath(const QString& folder, const QString& name, const QString& diskName)
{
    return diskName.isEmpty() ? FileOperation::pathInFolder(folder, name) : folder + diskName;
}
} // namespace

Image::Image()
    : type(PHOTO_RAW)
    , trimrc(QPoint(0, 0), QPoint(0, 0))
    , ellipse(false)
{
}

void Image::Setpath(const QString& fileName)
{
    if (fileName != name)
        diskName.clear();
    name = fileName;
}

void Image::setClipRect(QRect rect, bool isEllipse)
{
    trimrc = rect;
    ellipse = isEllipse;
}

int Image::getProductNum() const
{
    return productId.split(QStringLiteral("用"), Qt::KeepEmptyParts).size() - 1;
}

namespace {
using Folder = QString (*)();

// Thumbnails of a set-aside photo stay in the folders of its album of origin.
QString thumbnail(PHOTOTYPE type, const QString& name, Folder fine, Folder design, Folder raw)
{
    switch (type) {
    case PHOTO_FINE:
    case PHOTO_DELETED:
        return fine() + name;
    case PHOTO_DESIGN:
    case PHOTO_DESIGN_DELETED:
        return design() + name;
    default:
        return raw() + name;
    }
}
} // namespace

QString Image::GetImagePath() const
{
    return thumbnail(type, name, &DirServer::getFineImageSmallThumbPath, &DirServer::getDesignImageSmallThumbPath,
        &DirServer::getOriginalImageSmallThumbPath);
}

QString Image::GetThumbPath100() const
{
    return thumbnail(type, name, &DirServer::getFineImageThumbPath100, &DirServer::getDesignImageThumbPath100,
        &DirServer::getOriginalImageThumbPath100);
}

QString Image::GetMiddleImagePath() const
{
    return thumbnail(type, name, &DirServer::getFineImageMidThumbPath, &DirServer::getDesignImageMidThumbPath,
        &DirServer::getOriginalImageMidThumbPath);
}

QString Image::GetBigImagePath() const
{
    switch (type) {
    case PHOTO_FINE:
        return fullSizePath(DirServer::getFineImagePath(), name, diskName);
    case PHOTO_DELETED:
        return fullSizePath(DirServer::getDeletedImagePath(), name, diskName);
    case PHOTO_DESIGN:
        return fullSizePath(DirServer::getDesignImagePath(), name, diskName);
    case PHOTO_DESIGN_DELETED:
        return fullSizePath(DirServer::getDesignDeletedImagePath(), name, diskName);
    default:
        return fullSizePath(DirServer::getOriginalImagePath(), name, diskName);
    }
}

QString Image::GetCompareImagePath() const
{
    // The counterpart may be spelt otherwise in its own folder: look it up by name.
    switch (type) {
    case PHOTO_RAW:
        return fullSizePath(DirServer::getFineImagePath(), name, QString());
    case PHOTO_FINE:
        return fullSizePath(DirServer::getOriginalImagePath(), name, QString());
    default:
        return QString();
    }
}
