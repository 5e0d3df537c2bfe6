#include "photostore/thumbnailthread.h"

#include "core/config.h"
#include "core/logging.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/photofilelock.h"
#include "photostore/fullscreenstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaObject>
#include <QPixmap>

namespace {

// Images travel to the GUI thread as they are; a slot that takes a QPixmap gets it made
// there, since pixmaps belong to the GUI thread.
struct AsPixmap
{
    QImage image;
};

template <typename T> T onGuiThread(const T& value)
{
    return value;
}
QPixmap onGuiThread(const AsPixmap& value)
{
    return QPixmap::fromImage(value.image);
}

template <typename T> QGenericArgument argument(const T& value, const char* type)
{
    return QGenericArgument(type, &value);
}

template <typename T> const char* typeName();
template <> const char* typeName<int>()
{
    return "int";
}
template <> const char* typeName<bool>()
{
    return "bool";
}
template <> const char* typeName<QString>()
{
    return "QString";
}
template <> const char* typeName<QImage>()
{
    return "QImage";
}
template <> const char* typeName<QPixmap>()
{
    return "QPixmap";
}

template <typename T> using Delivered = decltype(onGuiThread(std::declval<T>()));

} // namespace

ThumbnailThread::ThumbnailThread(Image image, int index, int row, QWidget* receiver)
    : m_image(image)
    , m_index(index)
    , m_row(row)
    , m_receiver(receiver)
    , m_mode(1)
    , m_files(ImageOperation::PhotoFiles::of(image))
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(QList<Image> images, QWidget* receiver, int size)
    : m_images(images)
    , m_receiver(receiver)
    , m_size(size)
    , m_mode(2)
    , m_cacheFolder(DirServer::getWebPageThumbPath())
    , m_markerFolder(DirServer::getMarkerPath())
    , m_designFolder(DirServer::getDesignImagePath())
    , m_designThumbFolder(DirServer::getDesignImageThumbPath100())
{
    for (const Image& image : images)
        m_listFiles.append(ImageOperation::PhotoFiles::of(image));
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(QString templateFile, int index, QWidget* receiver, int listing)
    : m_index(index)
    , m_listing(listing)
    , m_templatePath(templateFile)
    , m_receiver(receiver)
    , m_mode(3)
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(QWidget* receiver, QString path, bool flag, bool fullScreenOnly)
    : m_imagePath(path)
    , m_fullScreenOnly(fullScreenOnly)
    , m_flag(flag)
    , m_receiver(receiver)
    , m_mode(4)
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(QWidget* receiver, Image image)
    : m_image(image)
    , m_receiver(receiver)
    , m_mode(5)
    , m_files(ImageOperation::PhotoFiles::of(image))
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(Image image, int index, QWidget* receiver)
    : m_image(image)
    , m_index(index)
    , m_receiver(receiver)
    , m_mode(6)
    , m_files(ImageOperation::PhotoFiles::of(image))
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(int compareIndex, QString compareFile, QWidget* receiver)
    : m_receiver(receiver)
    , m_mode(7)
    , m_comparePath(compareFile)
    , m_compareIndex(compareIndex)
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(Image image, QWidget* receiver, int size)
    : m_clipImage(image)
    , m_receiver(receiver)
    , m_size(size)
    , m_mode(8)
    , m_files(ImageOperation::PhotoFiles::of(image))
    , m_clipFolder(DirServer::getClipThumbPath())
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(Image image, int index, QString, QWidget* receiver)
    : m_image(image)
    , m_index(index)
    , m_receiver(receiver)
    , m_mode(9)
    , m_files(ImageOperation::PhotoFiles::of(image))
{
    setAutoDelete(true);
}

ThumbnailThread::ThumbnailThread(int mode, QWidget* receiver)
    : m_receiver(receiver)
    , m_mode(mode)
{
    if (mode == 10) {
        // A copy made here: the GUI thread may change the album while the job runs.
        m_images = ImageData::getInstance()->getImagelist(SELE_ALL);
        for (const Image& image : qAsConst(m_images))
            m_listFiles.append(ImageOperation::PhotoFiles::of(image));
    }
    setAutoDelete(true);
}

template <typename... Args> void ThumbnailThread::reply(const char* slot, Args... args) const
{
    QCoreApplication* app = QCoreApplication::instance();
    const bool fullScreenOnly = m_fullScreenOnly;
    if (!app || !m_receiver || (fullScreenOnly && !FullScreenState::isOpen))
        return;
    const QPointer<QWidget> receiver = m_receiver;
    const QByteArray name(slot);
    // Posted to the GUI thread and checked there: neither the receiver nor the full-screen
    // view can go away between the check and the call.
    QMetaObject::invokeMethod(
        app,
        [receiver, fullScreenOnly, name, args...] {
            if (!receiver || (fullScreenOnly && !FullScreenState::isOpen))
                return;
            auto call = [&](const auto&... delivered) {
                QMetaObject::invokeMethod(receiver.data(), name.constData(), Qt::DirectConnection,
                    argument(delivered, typeName<std::decay_t<decltype(delivered)>>())...);
            };
            call(onGuiThread(args)...);
        },
        Qt::QueuedConnection);
}

void ThumbnailThread::run()
{
    switch (m_mode) {
    case 1:
    case 6:
    case 9: {
        const PhotoFileLock held(m_files.full);
        makeListIcon();
        break;
    }
    case 2:
        makeSheetCache();
        break;
    case 3:
        makeTemplateIcon();
        break;
    case 4:
        loadPicture();
        break;
    case 5: {
        const PhotoFileLock held(m_files.full);
        rebuildMiddleAndSmall();
        break;
    }
    case 7:
        loadComparePicture();
        break;
    case 8: {
        const PhotoFileLock held(m_files.full);
        makeCropThumb();
        break;
    }
    case 10:
        turnAlbumUpright();
        break;
    default:
        break;
    }
}

void ThumbnailThread::makeListIcon()
{
    const int album = int(m_files.type);
    if (m_mode == 9) {
        reply("updateThumbIcon", m_index, AsPixmap {ImageOperation::rebuiltListIcon(m_files, 100)}, album);
        return;
    }
    if (m_mode == 6 && m_isIconWanted && !m_isIconWanted(m_index)) {
        ImageOperation::makeMissingLevels(m_files);
        reply("thumbFilesReady", m_index, album);
        return;
    }
    const AsPixmap icon {ImageOperation::listIcon(m_files, 100)};
    if (m_mode == 1)
        reply("updateThumbIcon", m_row, m_index, icon, album);
    else
        reply("updateThumbIcon", m_index, icon, album);
}

void ThumbnailThread::makeSheetCache()
{
    qCDebug(lcPhotoStore) << "本机缓存的缩略图路径是：" << m_cacheFolder;
    // Without a sheet folder the icons would land in the working directory.
    if (!m_cacheFolder.isEmpty()) {
        FileOperation::makeDir(m_cacheFolder);
        for (const ImageOperation::PhotoFiles& photo : qAsConst(m_listFiles)) {
            const PhotoFileLock held(photo.full);
            ImageOperation::saveImage(ImageOperation::sheetIcon(photo, m_size), m_cacheFolder + photo.name);
        }

        const QStringList jpegs {QStringLiteral("*.jpg")};
        if (FileOperation::isDirExist(m_markerFolder)) {
            const QString marks = m_cacheFolder + QStringLiteral("marks/");
            FileOperation::makeDir(marks);
            const QStringList names = QDir(m_markerFolder).entryList(jpegs, QDir::Files, QDir::Unsorted);
            for (const QString& name : names)
                ImageOperation::saveImage(ImageOperation::loadImage(m_markerFolder + name), marks + name, "JPG");
        }
        if (FileOperation::isDirExist(m_designFolder)) {
            const QString design = m_cacheFolder + QStringLiteral("design/");
            FileOperation::makeDir(design);
            const QStringList names = QDir(m_designFolder).entryList(jpegs, QDir::Files, QDir::Unsorted);
            for (const QString& name : names) {
                if (FileOperation::isFileExist(m_designThumbFolder + name))
                    FileOperation::copyFile(m_designThumbFolder + name, design + name, true);
            }
        }
    }
    reply("onFinishSaveThumb");
}

void ThumbnailThread::makeTemplateIcon()
{
    QImage image = ImageOperation::loadImageAtLeast(m_templatePath, 100);
    if (!image.isNull())
        image = ImageOperation::getSquareImage(image.scaled(100, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    if (m_listing >= 0)
        reply("updateListingThumbIcon", m_listing, m_index, AsPixmap {image});
    else
        reply("updateThumbIcon", m_index, AsPixmap {image});
}

void ThumbnailThread::loadPicture()
{
    if (m_fullScreenOnly && !FullScreenState::isOpen)
        return;
    reply("loadFinished", ImageOperation::loadImage(m_imagePath), m_imagePath, m_flag);
}

void ThumbnailThread::rebuildMiddleAndSmall()
{
    QSize full;
    QImage image = ImageOperation::loadImageAtLeast(m_files.full, Config::THUMB_SIZE_MID, &full);
    if (!image.isNull()) {
        const QSize middle = (full.isValid() ? full : image.size())
                                 .scaled(Config::THUMB_SIZE_MID, Config::THUMB_SIZE_MID, Qt::KeepAspectRatio);
        image = image.scaled(middle, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Levels of a photo still being copied would stay half grey.
        const bool store = ImageOperation::isComplete(m_files.full);
        if (store)
            ImageOperation::saveImage(image, m_files.middle);
        image = image.scaled(
            Config::THUMB_SIZE_SMALL, Config::THUMB_SIZE_SMALL, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (store)
            ImageOperation::saveImage(image, m_files.small);
    }
    reply("reLoadThumbFinished");
}

void ThumbnailThread::loadComparePicture()
{
    reply("onFinishLoadCmpImage", ImageOperation::loadImage(m_comparePath), m_compareIndex);
}

void ThumbnailThread::makeCropThumb()
{
    if (!FileOperation::isDirExist(m_clipFolder))
        FileOperation::makeDir(m_clipFolder);
    ImageOperation::saveImage(ImageOperation::sheetIcon(m_files, m_size), m_clipFolder + m_files.name);
}

void ThumbnailThread::turnAlbumUpright()
{
    for (const ImageOperation::PhotoFiles& photo : qAsConst(m_listFiles)) {
        const PhotoFileLock held(photo.full);
        // Only a valid orientation other than upright is worth a rewrite: the file loses its
        // EXIF block and is encoded again, so everything else is left byte for byte.
        const int direction = ImageOperation::getDirection(photo.full);
        const bool needsTurn = direction >= 2 && direction <= 8;
        bool turned = false;
        QImage icon;
        if (needsTurn) {
            // A photo still being copied would be written back half grey: left for a later run.
            const QImage image
                = ImageOperation::isComplete(photo.full) ? ImageOperation::loadImage(photo.full) : QImage();
            // A photo whose turned picture could not be written stays as it was: say so.
            if (!image.isNull()
                && ImageOperation::saveImage(ImageOperation::rotateImage(image, direction), photo.full)) {
                turned = true;
                icon = ImageOperation::rebuiltListIcon(photo, 100);
            }
        }
        reply("phototoupOneFinishSlot", turned, AsPixmap {icon});
    }
}
