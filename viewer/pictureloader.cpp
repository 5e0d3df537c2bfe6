#include "viewer/pictureloader.h"

#include "photostore/imageoperation.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSet>
#include <QThreadPool>

#include <limits>

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
    QSet<QString> decoding;
    QSize box;
    QPointer<PictureLoader> loader;
    const PictureCache::Owner owner = PictureCache::newOwner();
};

namespace {

// A reduced picture made for another box would show blurred or too small.
bool fitsBox(const PictureCache::Picture& picture, QSize box)
{
    return !picture.isReduced() || picture.box == box;
}

} // namespace

// One read on a reader thread: the picture of path fitted into the box, decoded only as
// large as the box needs unless whole. Kept in the cache unless whole.
void PictureLoader::read(const std::shared_ptr<Shared>& shared, const QString& path, bool whole)
{
    QSize box;
    {
        QMutexLocker lock(&shared->mutex);
        if (!shared->wanted.contains(path)) {
            if (!whole)
                shared->reading.remove(path);
            return;
        }
        box = shared->box;
        shared->decoding.insert(path);
    }
    PictureCache& cache = PictureCache::shared();
    PictureCache::Picture picture;
    bool isFresh = false;
    quint64 stamp = 0;
    for (int attempt = 0; attempt < kAttempts && !isFresh;) {
        const bool hasBox = box.width() > 0 && box.height() > 0;
        stamp = cache.changeStamp();
        picture = PictureCache::Picture();
        picture.image = ImageOperation::loadImageFitting(path, whole ? QSize() : box, &picture.fullSize);
        if (!picture.image.isNull() && hasBox) {
            picture.fitted = picture.image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            picture.box = box;
            // What the decoder could not reduce (not a JPEG, or too large even at 1/8) is kept
            // fitted only, so that every kept picture stays within a few times the box.
            if (!whole && picture.image.width() >= 2 * picture.fitted.width()
                && picture.image.height() >= 2 * picture.fitted.height())
                picture.image = picture.fitted;
        }
        // Kept and no longer being read in one step: a want() in between would find the path
        // neither kept nor being read, and nothing would read it again. A file written since
        // the read began is read again: its old picture is neither kept nor shown.
        QMutexLocker lock(&shared->mutex);
        // The viewer was laid out anew during the read: a picture reduced for the old box would
        // be kept but never taken, and a want() meanwhile skipped this path as being read, so
        // nothing else would read it for the new box.
        if (!whole && shared->wanted.contains(path) && !fitsBox(picture, shared->box)) {
            box = shared->box;
            continue;
        }
        ++attempt;
        if (picture.image.isNull())
            isFresh = true;
        else if (!whole && shared->wanted.contains(path))
            isFresh = cache.insert(path, picture, stamp, shared->owner);
        else
            isFresh = !cache.changedSince(path, stamp);
        if (isFresh || attempt == kAttempts) {
            shared->decoding.remove(path);
            if (!whole)
                shared->reading.remove(path);
        }
    }
    // A file that kept changing under the reads answers as unreadable for now.
    if (!isFresh)
        picture = PictureCache::Picture();
    QMetaObject::invokeMethod(
        qApp,
        [shared, path, picture, stamp] {
            // Written since: the picture of the old file is not shown; the file's next read is.
            if (!picture.image.isNull() && PictureCache::shared().changedSince(path, stamp))
                return;
            if (PictureLoader* loader = shared->loader.data())
                emit loader->loaded(path, picture);
        },
        Qt::QueuedConnection);
}

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
    // The pictures are this viewer's alone: they go with it.
    PictureCache::shared().retain(QStringList(), m_shared->owner);
}

void PictureLoader::setBox(QSize box)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->box = box;
}

bool PictureLoader::cached(const QString& path, PictureCache::Picture* picture) const
{
    PictureCache::Picture kept;
    if (path.isEmpty() || !PictureCache::shared().find(path, &kept, m_shared->owner))
        return false;
    {
        QMutexLocker lock(&m_shared->mutex);
        if (!fitsBox(kept, m_shared->box))
            return false;
    }
    if (picture)
        *picture = kept;
    return true;
}

QStringList PictureLoader::wanted() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->wanted;
}

PictureLoader::Stage PictureLoader::stage(const QString& path) const
{
    if (cached(path, nullptr))
        return Stage::Kept;
    QMutexLocker lock(&m_shared->mutex);
    if (m_shared->decoding.contains(path))
        return Stage::Decoding;
    return m_shared->reading.contains(path) ? Stage::Queued : Stage::Absent;
}

void PictureLoader::readWhole(const QString& path)
{
    if (path.isEmpty())
        return;
    const std::shared_ptr<Shared> shared = m_shared;
    // Ahead of every read ahead: the operator waits for it.
    readers()->start([shared, path] { read(shared, path, true); }, std::numeric_limits<int>::max());
}

void PictureLoader::want(const QStringList& paths)
{
    QStringList unique;
    for (const QString& path : paths)
        if (!path.isEmpty() && !unique.contains(path))
            unique << path;
    PictureCache& cache = PictureCache::shared();
    cache.retain(unique, m_shared->owner);

    QStringList toRead;
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->wanted = unique;
        for (const QString& path : unique) {
            if (m_shared->reading.contains(path))
                continue;
            PictureCache::Picture kept;
            if (cache.find(path, &kept, m_shared->owner) && fitsBox(kept, m_shared->box))
                continue;
            m_shared->reading.insert(path);
            toRead << path;
        }
    }
    const std::shared_ptr<Shared> shared = m_shared;
    for (const QString& path : toRead) {
        // The first wanted runs first.
        const int priority = unique.size() - unique.indexOf(path);
        readers()->start([shared, path] { read(shared, path, false); }, priority);
    }
}
