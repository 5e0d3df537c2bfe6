#include "workspace/albumthumbnails.h"

#include "photostore/thumbnailthread.h"
#include "workspace/albumthumbjob.h"
#include "workspace/thumbreplyrelay.h"

#include <QElapsedTimer>
#include <QThreadPool>

namespace {

// Jobs handed to the pool per turn of the event loop, at most, and the time a turn may take:
// on a busy machine a job costs far more than at rest, so the time bounds the slice too.
const int kSlice = 128;
const qint64 kSliceNs = 4 * 1000 * 1000;

} // namespace

AlbumThumbnails::AlbumThumbnails(QObject* parent)
    : QObject(parent)
    , m_wanted(std::make_shared<WantedRows>())
{
    m_feeder.setObjectName(QStringLiteral("thumbFeeder"));
    m_feeder.setSingleShot(true);
    m_feeder.setInterval(0);
    connect(&m_feeder, &QTimer::timeout, this, &AlbumThumbnails::feed);
    replaceBatch();
}

AlbumThumbnails::~AlbumThumbnails()
{
    m_cancelled->store(true);
    delete m_counted.data();
    delete m_single.data();
}

void AlbumThumbnails::replaceBatch()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    m_waiting.clear();
    m_next = 0;
    m_feeder.stop();
    // Let the old relays go only later: a reply of theirs may be on its way through this
    // very call stack; once gone, their jobs' replies reach nobody.
    if (m_counted)
        m_counted->deleteLater();
    if (m_single)
        m_single->deleteLater();

    ThumbReplyRelay* counted = new ThumbReplyRelay(true);
    ThumbReplyRelay* single = new ThumbReplyRelay(false);
    connect(counted, &ThumbReplyRelay::replied, this, [this, counted](int index, QPixmap icon, int album) {
        if (counted == m_counted)
            emit iconReady(index, icon, album);
    });
    connect(counted, &ThumbReplyRelay::dropped, this, [this, counted] {
        if (counted == m_counted)
            emit jobDropped();
    });
    connect(counted, &ThumbReplyRelay::filesReplied, this, [this, counted](int index, int album) {
        if (counted == m_counted)
            emit filesReady(index, album);
    });
    connect(single, &ThumbReplyRelay::replied, this, [this, single](int index, QPixmap icon, int album) {
        if (single == m_single)
            emit iconRefreshed(index, icon, album);
    });
    m_counted = counted;
    m_single = single;
}

void AlbumThumbnails::start(ThumbnailThread* work, ThumbReplyRelay* relay, int skippedRow)
{
    AlbumThumbJob* job = new AlbumThumbJob(work, m_cancelled, relay);
    if (skippedRow >= 0)
        job->setSkippedUnless(m_wanted, skippedRow);
    // An icon for the view goes before the batch's remaining jobs.
    QThreadPool::globalInstance()->start(job, skippedRow >= 0 ? 1 : 0);
}

int AlbumThumbnails::startBatch(const QList<Image>& photos)
{
    replaceBatch();
    m_waiting = photos;
    feed();
    return photos.size();
}

void AlbumThumbnails::feed()
{
    const std::shared_ptr<const WantedRows> wanted = m_wanted;
    const int end = std::min(m_waiting.size(), m_next + kSlice);
    QElapsedTimer slice;
    slice.start();
    // At least one job per turn, so that the batch always ends.
    const int first = m_next;
    for (; m_next < end && (m_next == first || slice.nsecsElapsed() < kSliceNs); ++m_next) {
        ThumbnailThread* work = new ThumbnailThread(m_waiting.at(m_next), m_next, m_counted.data());
        work->setIconWanted([wanted](int index) { return wanted->contains(index); });
        start(work, m_counted.data());
    }
    if (m_next < m_waiting.size())
        m_feeder.start();
    else
        m_waiting.clear();
}

void AlbumThumbnails::loadIcon(const Image& photo, int index)
{
    start(new ThumbnailThread(photo, index, m_single.data()), m_single.data(), index);
}

void AlbumThumbnails::setWantedRows(int first, int last)
{
    m_wanted->first.store(first);
    m_wanted->last.store(last);
}

void AlbumThumbnails::refreshOne(const Image& photo, int index, bool rebuild)
{
    ThumbnailThread* work = rebuild ? new ThumbnailThread(photo, index, QStringLiteral("强制刷新"), m_single.data())
                                    : new ThumbnailThread(photo, index, m_single.data());
    start(work, m_single.data());
}

void AlbumThumbnails::cancel()
{
    replaceBatch();
}
