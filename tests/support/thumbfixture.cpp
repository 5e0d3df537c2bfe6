#include "tests/support/thumbfixture.h"

#include "photostore/dirserver.h"
#include "standin/demodata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

ThumbFixture::ThumbFixture()
{
    m_root = m_dir.path() + QLatin1Char('/');
    DirServer::setOrderPath(m_root);
    const QStringList folders = {
        DirServer::getOriginalImagePath(), DirServer::getOriginalImageSmallThumbPath(),
        DirServer::getOriginalImageThumbPath100(), DirServer::getOriginalImageMidThumbPath(),
        DirServer::getFineImagePath(), DirServer::getFineImageSmallThumbPath(),
        DirServer::getFineImageThumbPath100(), DirServer::getFineImageMidThumbPath(),
        DirServer::getDeletedImagePath(), DirServer::getDesignImagePath(),
        DirServer::getDesignImageSmallThumbPath(), DirServer::getDesignImageThumbPath100(),
        DirServer::getDesignImageMidThumbPath(), DirServer::getDesignDeletedImagePath()};
    for (const QString& folder : folders)
        QDir().mkpath(folder);
}

Image ThumbFixture::addPhoto(PHOTOTYPE type, const QString& name, int width, int height, int orientation)
{
    Image image;
    image.SetPhotoType(type);
    image.Setpath(name);
    DemoData::writePhoto(image.GetBigImagePath(), width, height, name, orientation);
    return image;
}

Image ThumbFixture::addPhotoFile(PHOTOTYPE type, const QString& name, const QByteArray& bytes)
{
    Image image;
    image.SetPhotoType(type);
    image.Setpath(name);
    QFile f(image.GetBigImagePath());
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(f.fileName()));
    return image;
}

QSize ThumbFixture::sizeOf(const QString& path)
{
    return QImageReader(path).size();
}

bool ThumbFixture::exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QDateTime ThumbFixture::modified(const QString& path)
{
    return QFileInfo(path).lastModified();
}

QByteArray ThumbFixture::contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ThumbFixture::age(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::ReadWrite))
        f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime);
}
