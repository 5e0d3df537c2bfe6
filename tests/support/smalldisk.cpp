#include "tests/support/smalldisk.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

SmallDisk::SmallDisk(const QString& path, int kib)
    : m_path(QFile::encodeName(path))
{
    QDir().mkpath(path);
#ifdef Q_OS_LINUX
    const QByteArray options = "size=" + QByteArray::number(kib) + "k";
    m_isMounted = ::mount("tmpfs", m_path.constData(), "tmpfs", 0, options.constData()) == 0;
#else
    Q_UNUSED(kib)
#endif
}

SmallDisk::~SmallDisk()
{
#ifdef Q_OS_LINUX
    // Detached, so an open file left by a failed check never keeps it mounted.
    if (m_isMounted)
        ::umount2(m_path.constData(), MNT_DETACH);
#endif
}
