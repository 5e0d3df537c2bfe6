#include "tests/support/orderfolderfixture.h"

#include "core/config.h"
#include "standin/demodata.h"

#include <QDir>
#include <QFile>

OrderFolderFixture::OrderFolderFixture()
    : m_oldRoot(Config::volumesRoot)
{
    if (!m_dir.isValid())
        return;
    m_volumes = m_dir.path() + QLatin1Char('/');
    m_order = m_volumes + DemoData::orderShareFolder();
    Config::volumesRoot = m_volumes;
    reset();
    m_valid = QDir(album(QStringLiteral("设计汰片"))).exists();
}

OrderFolderFixture::~OrderFolderFixture()
{
    Config::volumesRoot = m_oldRoot;
}

void OrderFolderFixture::reset()
{
    QDir(m_order).removeRecursively();
    for (const char* name : {"照片", "成品", "汰片", "设计", "设计汰片"})
        QDir().mkpath(album(QString::fromUtf8(name)));
}

void OrderFolderFixture::addPhotos(const QString& albumName, const QStringList& names)
{
    for (const QString& name : names)
        DemoData::writePhoto(album(albumName) + name, 48, 32, name);
}

void OrderFolderFixture::addFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(contents);
}
