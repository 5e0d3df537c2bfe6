#include "tests/support/orderfolder.h"

#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "standin/demodata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
// The folders of the options, relative to the order folder, as DirServer names them.
QStringList folders(OrderFolder::Options options)
{
    QStringList paths;
    if (options & (OrderFolder::AlbumFolders | OrderFolder::ThumbnailFolders))
        paths << DirServer::getOriginalImagePath() << DirServer::getFineImagePath() << DirServer::getDeletedImagePath()
              << DirServer::getDesignImagePath() << DirServer::getDesignDeletedImagePath();
    if (options & OrderFolder::ThumbnailFolders)
        paths << DirServer::getOriginalImageSmallThumbPath() << DirServer::getOriginalImageThumbPath100()
              << DirServer::getOriginalImageMidThumbPath() << DirServer::getFineImageSmallThumbPath()
              << DirServer::getFineImageThumbPath100() << DirServer::getFineImageMidThumbPath()
              << DirServer::getDesignImageSmallThumbPath() << DirServer::getDesignImageThumbPath100()
              << DirServer::getDesignImageMidThumbPath();
    const int orderPath = DirServer::getOrderPath().size();
    for (QString& path : paths)
        path.remove(0, orderPath);
    return paths;
}
} // namespace

OrderFolder::OrderFolder(Options options)
    : m_options(options)
    , m_oldOrderPath(DirServer::getOrderPath())
    , m_oldVolumesRoot(Config::volumesRoot)
{
    if (!m_dir.isValid())
        return;
    m_volumes = m_dir.path() + QLatin1Char('/');
    if (m_options & DemoShare) {
        m_order = m_volumes + DemoData::orderShareFolder();
        Config::volumesRoot = m_volumes;
    } else {
        m_order = m_volumes;
        DirServer::setOrderPath(m_order);
    }
    reset();
}

OrderFolder::~OrderFolder()
{
    if (m_options & DemoShare)
        Config::volumesRoot = m_oldVolumesRoot;
    else
        DirServer::setOrderPath(m_oldOrderPath);
}

QString OrderFolder::path(const QString& relative) const
{
    return QDir(m_order).filePath(relative);
}

void OrderFolder::reset()
{
    QDir(m_order).removeRecursively();
    m_isValid = QDir().mkpath(m_order);
    for (const QString& folder : folders(m_options))
        m_isValid = QDir().mkpath(path(folder)) && m_isValid;
}

void OrderFolder::add(const QString& album, const QStringList& names, const QByteArray& prefix) const
{
    QDir().mkpath(path(album));
    for (const QString& name : names)
        addFile(album + "/" + name, prefix + name.toUtf8());
}

void OrderFolder::addPhotos(const QString& albumName, const QStringList& names) const
{
    for (const QString& name : names)
        DemoData::writePhoto(album(albumName) + name, 48, 32, name);
}

Image OrderFolder::addPhoto(PHOTOTYPE type, const QString& name, int width, int height, int orientation) const
{
    Image image;
    image.SetPhotoType(type);
    image.Setpath(name);
    DemoData::writePhoto(image.GetBigImagePath(), width, height, name, orientation);
    return image;
}

void OrderFolder::addFile(const QString& relative, const QByteArray& contents) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile f(path(relative));
    if (f.open(QIODevice::WriteOnly))
        f.write(contents);
}

QByteArray OrderFolder::read(const QString& relative) const
{
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool OrderFolder::exists(const QString& relative) const
{
    return QFileInfo(path(relative)).isFile();
}

QSize OrderFolder::sizeOf(const QString& relative) const
{
    return QImageReader(path(relative)).size();
}

QDateTime OrderFolder::modified(const QString& relative) const
{
    return QFileInfo(path(relative)).lastModified();
}

QStringList OrderFolder::entries(const QString& folder) const
{
    return QDir(path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool OrderFolder::stamp(const QString& relative, const QDateTime& when) const
{
    return FileOperation::ChangeFileDateTime(when, when, path(relative)) == 0;
}

void OrderFolder::age(const QString& relative) const
{
    stamp(relative, QDateTime::currentDateTime().addDays(-2));
}

QStringList imageNames(const QList<Image>& list)
{
    QStringList result;
    for (const Image& image : list)
        result.append(image.GetImageName());
    return result;
}

Image OrderFolder::addPhotoFile(PHOTOTYPE type, const QString& name, const QByteArray& bytes) const
{
    Image image;
    image.SetPhotoType(type);
    image.Setpath(name);
    addFile(image.GetBigImagePath(), bytes);
    return image;
}
