#include "viewer/pictureloader.h"

#include "photostore/imageoperation.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSet>
#include <QThreadPool>

namespace {

// Three readers: the photos ahead are read side by side, and the picture asked for need
// not wait behind a whole read ahead.
QThreadPool* readers()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(QCoreApplication::instance());
        p->setMaxThreadCount(3);
        return p;
    }();
    return pool;
}

// Reads that a file changed under are read again; beyond this the last read stands refused.
const int kAttempts = 3;

} // namespace

struct PictureLoader::Shared
{
    QMutex mutex;
    QStringList wanted;
    QSet<QString> reading;
    QSize box;
    QPointer<PictureLoader> loader;
};

PictureLoader::PictureLoader(QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->loader = this;
}

PictureLoader::~PictureLoader()
{
    // Reads still queued are skipped; a running one ends on its own and answers nobody.
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->wanted.clear();
    }
    // The pictures are the pane's alone: they go with it.
    PictureCache::shared().retain(QStringList());
}

void PictureLoader::setBox(QSize box)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->box = box;
}

bool PictureLoader::cached(const QString& path, PictureCache::Picture* picture) const
{
    return !path.isEmpty() && PictureCache::shared().find(path, picture);
}

QStringList PictureLoader::wanted() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->wanted;
}

void PictureLoader::want(const QStringList& paths)
{
    QStringList unique;
    for (const QString& path : paths)
        if (!path.isEmpty() && !unique.contains(path))
            unique << path;
    PictureCache& cache = PictureCache::shared();
    cache.retain(unique);

    QStringList toRead;
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->wanted = unique;
        for (const QString& path : unique) {
            if (m_shared->reading.contains(path) || cache.contains(path))
                continue;
            m_shared->reading.insert(path);
            toRead << path;
        }
    }
    const std::shared_ptr<Shared> shared = m_shared;
    for (int i = 0; i < toRead.size(); ++i) {
        const QString path = toRead.at(i);
        // The first wanted runs first.
        const int priority = unique.size() - unique.indexOf(path);
        readers()->start(
            [shared, path] {
                QSize box;
                {
                    QMutexLocker lock(&shared->mutex);
                    if (!shared->wanted.contains(path)) {
                        shared->reading.remove(path);
                        return;
                    }
                    box = shared->box;
                }
                PictureCache& cache = PictureCache::shared();
                PictureCache::Picture picture;
                bool isFresh = false;
                for (int attempt = 0; attempt < kAttempts && !isFresh; ++attempt) {
                    const quint64 stamp = cache.changeStamp();
                    picture = PictureCache::Picture();
                    picture.image = ImageOperation::loadImage(path);
                    if (picture.image.isNull()) {
                        isFresh = true;
                        break;
                    }
                    if (box.width() > 0 && box.height() > 0) {
                        picture.fitted = picture.image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                        picture.box = box;
                    }
                    if (cache.changedSince(path, stamp))
                        continue;
                    isFresh = true;
                    QMutexLocker lock(&shared->mutex);
                    if (shared->wanted.contains(path))
                        cache.insert(path, picture, stamp);
                }
                // A file that kept changing under the reads answers as unreadable for now.
                if (!isFresh)
                    picture = PictureCache::Picture();
                {
                    QMutexLocker lock(&shared->mutex);
                    shared->reading.remove(path);
                }
                QMetaObject::invokeMethod(
                    qApp,
                    [shared, path, picture] {
                        if (PictureLoader* loader = shared->loader.data())
                            emit loader->loaded(path, picture);
                    },
                    Qt::QueuedConnection);
            },
            priority);
    }
}
