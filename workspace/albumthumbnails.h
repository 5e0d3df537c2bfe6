#ifndef ALBUMTHUMBNAILS_H
#define ALBUMTHUMBNAILS_H

#include "photostore/image.h"

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>

#include <atomic>
#include <memory>

class ThumbReplyRelay;
class ThumbnailThread;

// The album panel's thumbnail jobs on the global pool, one batch per filling of the icon
// view. Starting a batch calls off the one before: its jobs that have not started do no
// work, and replies of its running jobs reach nobody, so a stale reply can never address
// an item of the refilled view. Other starters' jobs on the pool are left alone.
//
// Every counted job of the current batch ends in exactly one iconReady or jobDropped
// (dropped: a pool clear by another window threw it away unrun), so the panel's progress
// always completes.
class AlbumThumbnails : public QObject
{
    Q_OBJECT
public:
    explicit AlbumThumbnails(QObject* parent = nullptr);
    ~AlbumThumbnails() override;

    // One list-icon job per photo, in list order, as photo index i; returns the number of
    // counted jobs started.
    int startBatch(const QList<Image>& photos);
    // One more job for the current batch, not counted: the list icon, or with rebuild all
    // three thumbnail levels rewritten from the full-size file first.
    void refreshOne(const Image& photo, int index, bool rebuild);
    // Calls off the current batch without starting another.
    void cancel();

signals:
    void iconReady(int index, QPixmap icon, int album);
    void iconRefreshed(int index, QPixmap icon, int album);
    void jobDropped();

private:
    void replaceBatch();
    void start(ThumbnailThread* work, ThumbReplyRelay* relay);

    std::shared_ptr<std::atomic<bool>> m_cancelled;
    QPointer<ThumbReplyRelay> m_counted;
    QPointer<ThumbReplyRelay> m_single;
};

#endif // ALBUMTHUMBNAILS_H
