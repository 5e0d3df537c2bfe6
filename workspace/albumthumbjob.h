#ifndef ALBUMTHUMBJOB_H
#define ALBUMTHUMBJOB_H

#include <QPointer>
#include <QRunnable>

#include <atomic>
#include <memory>

class ThumbnailThread;
class ThumbReplyRelay;

// One thumbnail job of the album panel on the global pool, wrapped so that the panel can
// call off a whole batch at once (a called-off job does no work when its turn comes) and
// learns of every counted job that a pool clear threw away unrun.
class AlbumThumbJob : public QRunnable
{
public:
    AlbumThumbJob(ThumbnailThread* work, std::shared_ptr<const std::atomic<bool>> cancelled, ThumbReplyRelay* relay);
    ~AlbumThumbJob() override;

    void run() override;

private:
    std::unique_ptr<ThumbnailThread> m_work;
    std::shared_ptr<const std::atomic<bool>> m_cancelled;
    QPointer<ThumbReplyRelay> m_relay;
    bool m_counted;
    bool m_ran = false;
};

#endif // ALBUMTHUMBJOB_H
