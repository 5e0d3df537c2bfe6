#include "photostore/picturecache.h"

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

} // namespace

PictureCache& PictureCache::shared()
{
    static PictureCache cache;
    return cache;
}

PictureCache::PictureCache(int capacity)
    : m_capacity(qMax(1, capacity))
{
}

int PictureCache::size() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries.size();
}

QStringList PictureCache::paths() const
{
    QMutexLocker lock(&m_mutex);
    QStringList paths;
    for (const auto& entry : m_entries)
        paths << entry.first;
    return paths;
}

bool PictureCache::find(const QString& name, Picture* picture)
{
    const QString path = key(name);
    QMutexLocker lock(&m_mutex);
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first != path)
            continue;
        m_entries.move(i, 0);
        if (picture)
            *picture = m_entries.first().second;
        return true;
    }
    return false;
}

bool PictureCache::contains(const QString& name) const
{
    const QString path = key(name);
    QMutexLocker lock(&m_mutex);
    for (const auto& entry : m_entries)
        if (entry.first == path)
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

bool PictureCache::insert(const QString& name, const Picture& picture, quint64 stamp)
{
    const QString path = key(name);
    if (path.isEmpty() || picture.image.isNull() || changedSince(path, stamp))
        return false;
    QMutexLocker lock(&m_mutex);
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first == path) {
            m_entries.removeAt(i);
            break;
        }
    }
    m_entries.prepend(qMakePair(path, picture));
    while (m_entries.size() > m_capacity)
        m_entries.removeLast();
    return true;
}

void PictureCache::retain(const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names)
        paths << key(name);
    QMutexLocker lock(&m_mutex);
    for (int i = m_entries.size() - 1; i >= 0; --i)
        if (!paths.contains(m_entries.at(i).first))
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
        if (m_entries.at(i).first == path)
            m_entries.removeAt(i);
}

void PictureCache::forgetFolder(const QString& folder)
{
    const QString prefix = key(folder) + QLatin1Char('/');
    QMutexLocker lock(&m_mutex);
    noteChange(prefix);
    for (int i = m_entries.size() - 1; i >= 0; --i)
        if (m_entries.at(i).first.startsWith(prefix))
            m_entries.removeAt(i);
}

void PictureCache::forgetAll()
{
    QMutexLocker lock(&m_mutex);
    ++m_changes;
    m_allChangedAt = m_changes;
    m_entries.clear();
}
