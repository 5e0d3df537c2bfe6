#include "sheets/sheetmarkpictures.h"

#include "core/logging.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "sheets/sheetfolder.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

// The size of a picture that can be read; invalid otherwise.
QSize readableSize(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QSize();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead() ? reader.size() : QSize();
}

// The photo's picture and its full size: the small level when it reads, else the photo itself.
QImage readPhoto(const ImageOperation::PhotoFiles& photo, const QRect& area, QSize* fullSize)
{
    QImageReader header(photo.full);
    header.setAutoTransform(false);
    *fullSize = header.size();
    QImage picture;
    if (QFileInfo(photo.small).isFile())
        picture = ImageOperation::loadImage(photo.small);
    if (picture.isNull()) {
        const QSize box = MarkPicture::paintedRect(area, fullSize->isValid() ? *fullSize : area.size()).size();
        picture = ImageOperation::loadImageFitting(photo.full, box, fullSize);
    }
    if (!fullSize->isValid())
        *fullSize = picture.size();
    return picture;
}

} // namespace

namespace SheetMarkPictures {

Job prepare(const QString& sheetFolder, const QList<QStringList>& picMarks)
{
    Job job;
    job.folder = sheetFolder;
    if (picMarks.isEmpty())
        return job;
    job.layout = MarkPicture::editorLayout();
    ImageData* store = ImageData::getInstance();
    const QList<Image> photos = store->GetSeletedImages() + store->GetDesignImages();
    for (const QStringList& entry : picMarks) {
        Row row;
        row.name = entry.value(0);
        row.marks = entry.mid(1);
        // The name as the album spells it, else any spelling of it.
        const Image* found = nullptr;
        for (const Image& photo : photos)
            if (photo.GetImageName() == row.name) {
                found = &photo;
                break;
            }
        for (int i = 0; !found && i < photos.size(); ++i)
            if (photos.at(i).GetImageName().compare(row.name, Qt::CaseInsensitive) == 0)
                found = &photos.at(i);
        if (found) {
            row.hasPhoto = true;
            row.photo = ImageOperation::PhotoFiles::of(*found);
        }
        job.rows << row;
    }
    return job;
}

Pictures make(const Job& job)
{
    Pictures pictures;
    const QString folder = job.folder + QStringLiteral("marks/");
    for (const Row& row : job.rows) {
        const QString fileName = row.name.section(QLatin1Char('/'), -1);
        if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
            continue;
        const QString kept = SheetFolder::photoFile(folder, fileName);
        const QSize keptSize = readableSize(kept);
        if (keptSize.isValid()) {
            pictures.insert(row.name, Picture {kept, keptSize});
            continue;
        }
        if (!row.hasPhoto)
            continue;
        QSize fullSize;
        const QImage photo = readPhoto(row.photo, job.layout.area, &fullSize);
        const QImage drawn = MarkPicture::draw(photo, fullSize, row.marks, job.layout);
        const QString path = folder + fileName;
        if (!drawn.isNull() && FileOperation::makeDir(folder) && ImageOperation::saveImage(drawn, path, "JPG"))
            pictures.insert(row.name, Picture {path, drawn.size()});
        else
            qCDebug(lcSheets) << "no marks picture for" << row.name;
    }
    return pictures;
}

} // namespace SheetMarkPictures
