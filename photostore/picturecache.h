#ifndef PICTURECACHE_H
#define PICTURECACHE_H

#include <QImage>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

// Decoded pictures of the large-photo viewer by full path: a few at most (the capacity),
// the least recently used dropped first. Safe from any thread.
//
// Whoever writes, moves or removes a photo's files tells the cache (forget, forgetAll):
// ImageOperation::saveImage and the FileOperation moves do so for every file they touch, so
// that a changed photo is never shown from here. A worker takes changeStamp() before it
// reads a file; insert() refuses its picture when that file changed meanwhile.
class PictureCache
{
public:
    struct Picture
    {
        QImage image;
        // image fitted into box (smoothly, keeping the ratio), made on the worker so that the
        // GUI thread need not scale a large photo; null when no box was asked for.
        QImage fitted;
        QSize box;
        // The file's own size: image may be decoded smaller, just large enough for box.
        QSize fullSize;
        bool isReduced() const { return fullSize.isValid() && !image.isNull() && image.size() != fullSize; }
    };

    // The one the viewer and the file writers share.
    static PictureCache& shared();

    explicit PictureCache(int capacity = DefaultCapacity);

    // Four photos (the shown one, two ahead, one behind) and two small thumbnails.
    static const int DefaultCapacity = 6;

    int capacity() const { return m_capacity; }
    int size() const;
    QStringList paths() const;

    // The picture of path, marked as the latest used; false when it is not kept.
    bool find(const QString& path, Picture* picture);
    bool contains(const QString& path) const;

    quint64 changeStamp() const;
    // Keeps the picture unless path changed after stamp; false when refused.
    bool insert(const QString& path, const Picture& picture, quint64 stamp);
    bool changedSince(const QString& path, quint64 stamp) const;
    // Drops every picture whose path is not listed.
    void retain(const QStringList& paths);

    void forget(const QString& path);
    // Every path below the folder (with or without a closing separator).
    void forgetFolder(const QString& folder);
    void forgetAll();

private:
    void noteChange(const QString& path);

    mutable QMutex m_mutex;
    int m_capacity;
    // The latest used first.
    QList<QPair<QString, Picture>> m_entries;
    quint64 m_changes = 0;
    // The latest changes with their stamps; older ones count as changes of every path.
    QList<QPair<QString, quint64>> m_recentChanges;
    quint64 m_allChangedAt = 0;
};

#endif // PICTURECACHE_H
