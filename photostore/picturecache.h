#ifndef PICTURECACHE_H
#define PICTURECACHE_H

#include <QImage>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QSize>
#include <QMetaType>
#include <QString>
#include <QStringList>

// Decoded pictures of the photo viewers by full path, each kept for an owner: a few at most
// per owner (the capacity), the owner's least recently used dropped first. Safe from any thread.
//
// Each picture reader (PictureLoader) is an owner of its own: the large-photo pane and the
// full-screen view fit one photo into boxes of different sizes, and with a shelf each their
// pictures never push out or replace the other's; while both are open the cache holds up to
// twice the capacity.
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

    // The one the viewers and the file writers share.
    static PictureCache& shared();

    // Who keeps a picture: 0 for whoever names none, newOwner() for each reader of its own.
    using Owner = int;
    static constexpr Owner AnyOwner = -1;
    static Owner newOwner();

    explicit PictureCache(int capacity = DefaultCapacity);

    // Four photos (the shown one, two ahead, one behind) and two small thumbnails.
    static const int DefaultCapacity = 6;

    // Pictures kept per owner.
    int capacity() const { return m_capacity; }
    int size(Owner owner = AnyOwner) const;
    QStringList paths(Owner owner = AnyOwner) const;

    // The picture of path, marked as the latest used; false when it is not kept.
    bool find(const QString& path, Picture* picture, Owner owner = AnyOwner);
    bool contains(const QString& path, Owner owner = AnyOwner) const;

    quint64 changeStamp() const;
    // Keeps the picture for owner unless path changed after stamp; false when refused.
    bool insert(const QString& path, const Picture& picture, quint64 stamp, Owner owner = 0);
    bool changedSince(const QString& path, quint64 stamp) const;
    // Drops every picture of owner whose path is not listed.
    void retain(const QStringList& paths, Owner owner = 0);

    // These drop the pictures of every owner.
    void forget(const QString& path);
    // Every path below the folder (with or without a closing separator).
    void forgetFolder(const QString& folder);
    void forgetAll();

private:
    bool changedSinceLocked(const QString& path, quint64 stamp) const;
    void noteChange(const QString& path);

    mutable QMutex m_mutex;
    int m_capacity;
    struct Entry
    {
        QString path;
        Owner owner;
        Picture picture;
    };
    // The latest used first.
    QList<Entry> m_entries;
    quint64 m_changes = 0;
    // The latest changes with their stamps; older ones count as changes of every path.
    QList<QPair<QString, quint64>> m_recentChanges;
    quint64 m_allChangedAt = 0;
};

// For the loaded() signal's spies and queued connections.
Q_DECLARE_METATYPE(PictureCache::Picture)

#endif // PICTURECACHE_H
