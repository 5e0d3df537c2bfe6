#include "workspace/albumdisplay.h"

#include "photostore/croprect.h"
#include "photostore/dirserver.h"
#include "photostore/productdata.h"

#include <QHash>

#include <algorithm>

QString AlbumDisplay::cropText(const Image& photo)
{
    const QRect crop = photo.GetTrimrc();
    if (!CropRect::isCrop(crop))
        return QString();
    return QStringLiteral("宽：") + QString::number(CropRect::width(crop)) + QStringLiteral("||高：")
        + QString::number(CropRect::height(crop));
}

QString AlbumDisplay::tableText(const Image& photo, int column)
{
    switch (column) {
    case 0:
        return photo.GetImageName();
    case 1:
        return photo.getProductId();
    case 2:
        return photo.GetStrneed();
    case 3:
        return cropText(photo);
    default:
        return QString();
    }
}

QString AlbumDisplay::albumLabel(int type, int seleType, int count)
{
    QString word;
    switch (type) {
    case PHOTO_RAW:
        word = QStringLiteral("照片(");
        break;
    case PHOTO_FINE:
        word = seleType == SELE_USED  ? QStringLiteral("已选(")
            : seleType == SELE_UNUSED ? QStringLiteral("未选(")
                                      : QStringLiteral("成品(");
        break;
    case PHOTO_DELETED:
        word = QStringLiteral("汰片(");
        break;
    case PHOTO_DESIGN:
        word = QStringLiteral("设计(");
        break;
    case PHOTO_DESIGN_DELETED:
        word = QStringLiteral("设计汰片(");
        break;
    default:
        word = QStringLiteral("(");
        break;
    }
    return QStringLiteral("当前相册：") + word + QString::number(count) + QLatin1Char(')');
}

QString AlbumDisplay::sortDots(int orderMode)
{
    switch (orderMode) {
    case 1:
        return QStringLiteral("..");
    case 2:
        return QStringLiteral("...");
    default:
        return QStringLiteral(".");
    }
}

AlbumDisplay::ProductMarks AlbumDisplay::productMarks(const QList<Image>& photos, const QList<Product>& products)
{
    QHash<QString, QString> byName;
    for (int i = 0; i < products.size(); ++i) {
        const QString mark = QStringLiteral("用") + QString::number(i + 1);
        for (const QString& name : products.at(i).pics)
            byName[name] += mark;
    }
    ProductMarks result;
    for (Image photo : photos) {
        const QString mark = byName.value(photo.GetImageName());
        photo.setProductId(mark);
        result.marks.append(mark);
        if (mark.isEmpty()) {
            result.unusedPhotos.append(photo);
            continue;
        }
        result.used.insert(photo.GetImageName());
        result.usedPhotos.append(photo);
    }
    return result;
}

bool AlbumDisplay::sameIcons(const QList<Image>& a, const QList<Image>& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const Image& x, const Image& y) {
        return x.GetPicType() == y.GetPicType() && x.GetImageName() == y.GetImageName()
            && x.fileNameOnDisk() == y.fileNameOnDisk() && x.getProductId() == y.getProductId()
            && x.GetStrneed() == y.GetStrneed() && x.GetTrimrc() == y.GetTrimrc() && x.isEllipse() == y.isEllipse();
    });
}

QStringList AlbumDisplay::reloadFolders(int type)
{
    switch (type) {
    case PHOTO_RAW:
        return {DirServer::getOriginalImageThumbPath100(), DirServer::getOriginalImageSmallThumbPath(),
            DirServer::getOriginalImageMidThumbPath()};
    case PHOTO_FINE:
    case PHOTO_DELETED:
        return {DirServer::getFineImageThumbPath100(), DirServer::getFineImageMidThumbPath(),
            DirServer::getFineImageSmallThumbPath()};
    case PHOTO_DESIGN:
        return {DirServer::getDesignImageThumbPath100(), DirServer::getDesignImageSmallThumbPath(),
            DirServer::getDesignImageMidThumbPath()};
    default:
        return {};
    }
}
