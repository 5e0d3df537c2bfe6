#include "photostore/dirserver.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex& pathLock()
{
    static QMutex lock;
    return lock;
}
} // namespace

QString DirServer::dir_server;
QString DirServer::dir_order;
QString DirServer::dir_family;
QString DirServer::dir_backmusic;
QString DirServer::dir_temp = QDir::tempPath() + QStringLiteral("/vqsoft/");
QString DirServer::dir_webpage_thumb;

QString DirServer::read(const QString& member)
{
    QMutexLocker locker(&pathLock());
    return member;
}

void DirServer::write(QString& member, const QString& value)
{
    QMutexLocker locker(&pathLock());
    member = value;
}

QString DirServer::order(const char* subFolder)
{
    return read(dir_order) + QString::fromUtf8(subFolder);
}

QString DirServer::family(const char* subFolder)
{
    return read(dir_family) + QString::fromUtf8(subFolder);
}

QString DirServer::getServerPath()
{
    return read(dir_server);
}
QString DirServer::getOrderPath()
{
    return read(dir_order);
}

QString DirServer::getOriginalImagePath()
{
    return order("照片/");
}
QString DirServer::getOriginalImageSmallThumbPath()
{
    return order("thumbnail/");
}
QString DirServer::getOriginalImageThumbPath100()
{
    return order("thumbnail100/");
}
QString DirServer::getOriginalImageMidThumbPath()
{
    return order("thumbnail2250/");
}

QString DirServer::getFineImagePath()
{
    return order("成品/");
}
QString DirServer::getFineImageSmallThumbPath()
{
    return order("成品缩略图/");
}
QString DirServer::getFineImageThumbPath100()
{
    return order("成品缩略图100/");
}
QString DirServer::getFineImageMidThumbPath()
{
    return order("成品缩略图2250/");
}

QString DirServer::getDeletedImagePath()
{
    return order("汰片/");
}

QString DirServer::getDesignImagePath()
{
    return order("设计/");
}
QString DirServer::getDesignImageSmallThumbPath()
{
    return order("设计缩略图/");
}
QString DirServer::getDesignImageThumbPath100()
{
    return order("设计缩略图100/");
}
QString DirServer::getDesignImageMidThumbPath()
{
    return order("设计缩略图2250/");
}
QString DirServer::getDesignDeletedImagePath()
{
    return order("设计汰片/");
}

QString DirServer::getMarkerPath()
{
    return order("marks/");
}
QString DirServer::getClipThumbPath()
{
    return order("crops/");
}

QString DirServer::getHomeModelPath()
{
    return read(dir_family);
}
QString DirServer::getBedRoomHomeModelPath()
{
    return family("模板/卧室/");
}
QString DirServer::getLivingRoomHomeModelPath()
{
    return family("模板/客厅/");
}
QString DirServer::getOtherHomeModelPath()
{
    return family("模板/其他/");
}
QString DirServer::getBackgroundMusicPath()
{
    return read(dir_backmusic);
}
QString DirServer::getTempPath()
{
    return read(dir_temp);
}
QString DirServer::getWebPageThumbPath()
{
    return read(dir_webpage_thumb);
}

void DirServer::setServerPath(QString path)
{
    write(dir_server, path);
}
void DirServer::setOrderPath(QString path)
{
    write(dir_order, path);
}
void DirServer::setHomeModelPath(QString path)
{
    write(dir_family, path);
}
void DirServer::setBackgroundMusicPath(QString path)
{
    write(dir_backmusic, path);
}
void DirServer::setWebPageThumbPath(QString path)
{
    write(dir_webpage_thumb, path);
}
