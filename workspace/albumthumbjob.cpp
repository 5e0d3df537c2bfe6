#include "workspace/albumthumbjob.h"

#include "photostore/thumbnailthread.h"
#include "workspace/thumbreplyrelay.h"

#include <QCoreApplication>
#include <QMetaObject>

AlbumThumbJob::AlbumThumbJob(
    ThumbnailThread* work, std::shared_ptr<const std::atomic<bool>> cancelled, ThumbReplyRelay* relay)
    : m_work(work)
    , m_cancelled(std::move(cancelled))
    , m_relay(relay)
    , m_counted(relay && relay->isCounted())
{
    setAutoDelete(true);
}

AlbumThumbJob::~AlbumThumbJob()
{
    // Thrown away unrun: the panel must still count the job, or its progress would wait
    // for a reply that never comes. Told later, on the GUI thread, never from inside the
    // clear that deleted the job.
    QCoreApplication* app = QCoreApplication::instance();
    if (m_ran || !m_counted || !app)
        return;
    const QPointer<ThumbReplyRelay> relay = m_relay;
    QMetaObject::invokeMethod(
        app,
        [relay] {
            if (relay)
                relay->noteDropped();
        },
        Qt::QueuedConnection);
}

void AlbumThumbJob::setSkippedUnless(std::shared_ptr<const WantedRows> wanted, int row)
{
    m_wanted = std::move(wanted);
    m_row = row;
}

void AlbumThumbJob::run()
{
    m_ran = true;
    if (m_cancelled->load() || (m_wanted && !m_counted && !m_wanted->contains(m_row)))
        return;
    m_work->run();
}
