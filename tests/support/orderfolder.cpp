#include "tests/support/orderfolder.h"

#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

OrderFolder::OrderFolder()
{
    DirServer::setOrderPath(m_dir.path() + "/");
}

OrderFolder::~OrderFolder()
{
    DirServer::setOrderPath(QString());
}

QString OrderFolder::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

void OrderFolder::add(const QString& album, const QStringList& names, const QByteArray& prefix) const
{
    QDir(m_dir.path()).mkpath(album);
    for (const QString& name : names)
        write(album + "/" + name, prefix + name.toUtf8());
}

void OrderFolder::write(const QString& relative, const QByteArray& content) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile f(path(relative));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

QByteArray OrderFolder::read(const QString& relative) const
{
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList OrderFolder::entries(const QString& folder) const
{
    return QDir(path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool OrderFolder::stamp(const QString& relative, const QDateTime& when) const
{
    return FileOperation::ChangeFileDateTime(when, when, path(relative)) == 0;
}

QStringList imageNames(const QList<Image>& list)
{
    QStringList result;
    for (const Image& image : list)
        result.append(image.GetImageName());
    return result;
}
