#include "photostore/picturecache.h"

#include <QAtomicInt>
#include <QDir>
#include <QMutexLocker>

namespace {
// Enough for every write of a few photos' levels while one decode runs.
const int kRecentChanges = 256;
// One spelling per file, whoever names it.
QString key(const QString& path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

bool ownedBy(PictureCache::Owner owner, PictureCache::Owner wanted)
{
    return wanted == PictureCache::AnyOwner || owner == wanted;
}

} // namespace

PictureCache::Owner PictureCache::newOwner()
{
    static QAtomicInt last = 0;
    return last.fetchAndAddRelaxed(1) + 1;
}

PictureCache& PictureCache::shared()
{
    static PictureCache cache;
    return cache;
}

PictureCache::PictureCache(int capacity)
    : m_capacity(qMax(1, capacity))
{
}

int PictureCache::size(Owner owner) const
{
    QMutexLocker lock(&m_mutex);
    int count = 0;
    for (const Entry& entry : m_entries)
        count += ownedBy(entry.owner, owner) ? 1 : 0;
    return count;
}

QStringList PictureCache::paths(Owner owner) const
{
    QMutexLocker lock(&m_mutex);
    QStringList paths;
    for (const Entry& entry : m_entries)
        if (ownedBy(entry.owner, owner))
            paths << entry.path;
    return paths;
}

bool PictureCache::find(const QString& name, Picture* picture, Owner owner)
{
    const QString path = key(name);
    QMutexLocker lock(&m_mutex);
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).path != path || !ownedBy(m_entries.at(i).owner, owner))
            continue;
        m_entries.move(i, 0);
        if (picture)
            *picture = m_entries.first().picture;
        return true;
    }
    return false;
}

bool PictureCache::contains(const QString& name, Owner owner) const
{
    const QString path = key(name);
    QMutexLocker lock(&m_mutex);
    for (const Entry& entry : m_entries)
        if (entry.path == path && ownedBy(entry.owner, owner))
            return true;
    return false;
}

quint64 PictureCache::changeStamp() const
{
    QMutexLocker lock(&m_mutex);
    return m_changes;
}

bool PictureCache::changedSince(const QString& name, quint64 stamp) const
{
    const QString path = key(name);
    QMutexLocker lock(&m_mutex);
    return changedSinceLocked(path, stamp);
}

bool PictureCache::changedSinceLocked(const QString& path, quint64 stamp) const
{
    if (m_allChangedAt > stamp)
        return true;
    // Changes older than the ring may have touched path: count them as changes.
    if (!m_recentChanges.isEmpty() && m_recentChanges.first().second > stamp + 1)
        return true;
    for (auto it = m_recentChanges.crbegin(); it != m_recentChanges.crend() && it->second > stamp; ++it) {
        // A folder is noted with its closing separator.
        const QString& changed = it->first;
        if (changed == path || (changed.endsWith(QLatin1Char('/')) && path.startsWith(changed)))
            return true;
    }
    return false;
}

bool PictureCache::insert(const QString& name, const Picture& picture, quint64 stamp, Owner owner)
{
    const QString path = key(name);
    if (path.isEmpty() || picture.image.isNull() || owner == AnyOwner)
        return false;
    // Checked under the same lock as the insertion: a forget() in between would leave the
    // picture of the old file kept.
    QMutexLocker lock(&m_mutex);
    if (changedSinceLocked(path, stamp))
        return false;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).path == path && m_entries.at(i).owner == owner) {
            m_entries.removeAt(i);
            break;
        }
    }
    m_entries.prepend(Entry {path, owner, picture});
    // The owner's least recently used go; other owners' pictures are not its to push out.
    int kept = 0;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).owner != owner)
            continue;
        if (++kept > m_capacity)
            m_entries.removeAt(i--);
    }
    return true;
}

void PictureCache::retain(const QStringList& names, Owner owner)
{
    QStringList paths;
    for (const QString& name : names)
        paths << key(name);
    QMutexLocker lock(&m_mutex);
    for (int i = m_entries.size() - 1; i >= 0; --i)
        if (m_entries.at(i).owner == owner && !paths.contains(m_entries.at(i).path))
            m_entries.removeAt(i);
}

void PictureCache::noteChange(const QString& path)
{
    ++m_changes;
    m_recentChanges.append(qMakePair(path, m_changes));
    if (m_recentChanges.size() > kRecentChanges)
        m_recentChanges.removeFirst();
}

void PictureCache::forget(const QString& name)
{
    const QString path = key(name);
    QMutexLocker lock(&m_mutex);
    noteChange(path);
    for (int i = m_entries.size() - 1; i >= 0; --i)
        if (m_entries.at(i).path == path)
            m_entries.removeAt(i);
}

void PictureCache::forgetFolder(const QString& folder)
{
    const QString prefix = key(folder) + QLatin1Char('/');
    QMutexLocker lock(&m_mutex);
    noteChange(prefix);
    for (int i = m_entries.size() - 1; i >= 0; --i)
        if (m_entries.at(i).path.startsWith(prefix))
            m_entries.removeAt(i);
}

void PictureCache::forgetAll()
{
    QMutexLocker lock(&m_mutex);
    ++m_changes;
    m_allChangedAt = m_changes;
    m_entries.clear();
}
