#include "workspace/albumdisplay.h"

#include "photostore/croprect.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"

#include <QStandardItem>

QString AlbumDisplay::cropText(const Image& photo)
{
    const QRect crop = photo.GetTrimrc();
    const qint64 width = CropRect::width(crop);
    const qint64 height = CropRect::height(crop);
    if (width <= 1 || height <= 1)
        return QString();
    return QStringLiteral("宽：") + QString::number(width) + QStringLiteral("||高：") + QString::number(height);
}

QList<QStandardItem*> AlbumDisplay::tableRow(const Image& photo)
{
    return {new QStandardItem(photo.GetImageName()), new QStandardItem(photo.getProductId()),
            new QStandardItem(photo.GetStrneed()), new QStandardItem(cropText(photo))};
}

QString AlbumDisplay::albumLabel(int type, int seleType, int count)
{
    QString word;
    switch (type) {
    case PHOTO_RAW:
        word = QStringLiteral("照片(");
        break;
    case PHOTO_FINE:
        word = seleType == SELE_USED     ? QStringLiteral("已选(")
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

QHash<QString, QString> AlbumDisplay::productMarks()
{
    QHash<QString, QString> marks;
    for (int i = 0; i < ProductData::m_products.size(); ++i) {
        const QString mark = QStringLiteral("用") + QString::number(i + 1);
        for (const QString& name : ProductData::m_products.at(i).pics)
            marks[name] += mark;
    }
    return marks;
}

void AlbumDisplay::applyProductMarks(int seleType)
{
    ImageData* data = ImageData::getInstance();
    const QHash<QString, QString> marks = productMarks();
    ProductData::useImages.clear();
    QList<Image>& fine = data->GetSeletedImages();
    for (Image& photo : fine) {
        const QString mark = marks.value(photo.GetImageName());
        if (!mark.isEmpty())
            ProductData::useImages.insert(photo.GetImageName());
        photo.setProductId(mark);
    }
    if (seleType != SELE_USED && seleType != SELE_UNUSED)
        return;
    QList<Image> used;
    QList<Image> unused;
    for (const Image& photo : qAsConst(fine))
        (ProductData::useImages.contains(photo.GetImageName()) ? used : unused).append(photo);
    data->setMyUsedimages(used);
    data->setMyUnUsedimages(unused);
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
