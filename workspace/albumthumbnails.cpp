#include "workspace/albumthumbnails.h"

#include "photostore/thumbnailthread.h"
#include "workspace/albumthumbjob.h"
#include "workspace/thumbreplyrelay.h"

#include <QThreadPool>

AlbumThumbnails::AlbumThumbnails(QObject* parent)
    : QObject(parent)
{
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
    connect(single, &ThumbReplyRelay::replied, this, [this, single](int index, QPixmap icon, int album) {
        if (single == m_single)
            emit iconRefreshed(index, icon, album);
    });
    m_counted = counted;
    m_single = single;
}

void AlbumThumbnails::start(ThumbnailThread* work, ThumbReplyRelay* relay)
{
    QThreadPool::globalInstance()->start(new AlbumThumbJob(work, m_cancelled, relay), 0);
}

int AlbumThumbnails::startBatch(const QList<Image>& photos)
{
    replaceBatch();
    for (int i = 0; i < photos.size(); ++i)
        start(new ThumbnailThread(photos.at(i), i, m_counted.data()), m_counted.data());
    return photos.size();
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
