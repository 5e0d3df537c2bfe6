#ifndef PHOTOFILELOCK_H
#define PHOTOFILELOCK_H

#include <QString>

#include <memory>

class QMutex;

// Holds one photo's files (the full picture, its levels, its crop thumbnail) for the job that
// reads and writes them, so that jobs of one photo never interleave: a level written from the
// picture as it was can never land after a saved turn has replaced it. The photo is named by its
// full-size file's path. Taken on worker threads only, around one photo's work at a time (never
// two photos at once, never on the GUI thread); released when the lock is destroyed.
class PhotoFileLock
{
public:
    explicit PhotoFileLock(const QString& fullPath);
    ~PhotoFileLock();
    PhotoFileLock(const PhotoFileLock&) = delete;
    PhotoFileLock& operator=(const PhotoFileLock&) = delete;

private:
    std::shared_ptr<QMutex> m_mutex;
};

#endif // PHOTOFILELOCK_H
