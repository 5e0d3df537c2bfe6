#include "photostore/photofilelock.h"

#include <QHash>
#include <QMutex>

namespace {

// The mutex of each photo that a job holds or waits for; entries of photos nobody holds are
// dropped as the table grows.
struct Registry
{
    QMutex guard;
    QHash<QString, std::weak_ptr<QMutex>> mutexes;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

std::shared_ptr<QMutex> mutexOf(const QString& path)
{
    Registry& table = registry();
    QMutexLocker locked(&table.guard);
    std::shared_ptr<QMutex> mutex = table.mutexes.value(path).lock();
    if (mutex)
        return mutex;
    if (table.mutexes.size() >= 256) {
        for (auto entry = table.mutexes.begin(); entry != table.mutexes.end();)
            entry = entry->expired() ? table.mutexes.erase(entry) : std::next(entry);
    }
    mutex = std::make_shared<QMutex>();
    table.mutexes.insert(path, mutex);
    return mutex;
}

} // namespace

PhotoFileLock::PhotoFileLock(const QString& fullPath)
    : m_mutex(mutexOf(fullPath))
{
    m_mutex->lock();
}

PhotoFileLock::~PhotoFileLock()
{
    m_mutex->unlock();
}
