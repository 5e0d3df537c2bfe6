#ifndef SMALLDISK_H
#define SMALLDISK_H

#include <QByteArray>
#include <QString>

// A small file system of its own mounted at path for as long as it lives (another device,
// so a move into it copies, and a disk that fills up). Mounting needs root: isMounted() is
// false where it is not allowed, and the test then skips.
class SmallDisk
{
public:
    SmallDisk(const QString& path, int kib);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_isMounted; }

private:
    QByteArray m_path;
    bool m_isMounted = false;
};

#endif // SMALLDISK_H
