#ifndef ALBUMTHUMBJOB_H
#define ALBUMTHUMBJOB_H

#include <QPointer>
#include <QRunnable>

#include <atomic>
#include <climits>
#include <memory>

class ThumbnailThread;
class ThumbReplyRelay;

// The rows of the icon view whose icons are wanted now: written on the GUI thread as the
// view scrolls, read by the jobs on the workers. The two ends are not written as one; a job
// that reads them mid-change at worst makes one icon too many or too few.
struct WantedRows
{
    std::atomic<int> first {0};
    std::atomic<int> last {INT_MAX};
    bool contains(int row) const { return row >= first.load() && row <= last.load(); }
};

// One thumbnail job of the album panel on the global pool, wrapped so that the panel can
// call off a whole batch at once (a called-off job does no work when its turn comes) and
// learns of every counted job that a pool clear threw away unrun.
class AlbumThumbJob : public QRunnable
{
public:
    AlbumThumbJob(ThumbnailThread* work, std::shared_ptr<const std::atomic<bool>> cancelled, ThumbReplyRelay* relay);
    // A job that is worth nothing once its row has left the wanted rows: it then does no work
    // (only for uncounted jobs, whose end nobody waits for).
    void setSkippedUnless(std::shared_ptr<const WantedRows> wanted, int row);
    ~AlbumThumbJob() override;

    void run() override;

private:
    std::unique_ptr<ThumbnailThread> m_work;
    std::shared_ptr<const std::atomic<bool>> m_cancelled;
    QPointer<ThumbReplyRelay> m_relay;
    bool m_counted;
    bool m_ran = false;
    std::shared_ptr<const WantedRows> m_wanted;
    int m_row = 0;
};

#endif // ALBUMTHUMBJOB_H
