#ifndef ALBUMTHUMBNAILS_H
#define ALBUMTHUMBNAILS_H

#include "photostore/image.h"

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <memory>

class ThumbReplyRelay;
class ThumbnailThread;
struct WantedRows;

// The album panel's thumbnail jobs on the global pool, one batch per filling of the icon
// view. Starting a batch calls off the one before: its jobs that have not started do no
// work, and replies of its running jobs reach nobody, so a stale reply can never address
// an item of the refilled view. Other starters' jobs on the pool are left alone.
//
// Every counted job of the current batch ends in exactly one iconReady or jobDropped
// (dropped: a pool clear by another window threw it away unrun), so the panel's progress
// always completes. A counted job whose row is outside the wanted rows when it runs only
// makes the missing thumbnail files and ends in filesReady instead of iconReady. A batch's
// jobs are handed to the pool in slices, one per turn of the event loop, so that a large
// album never holds up the GUI thread while its jobs are made.
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
    // The list icon of one photo for the icon view, not counted; no work is done if the row
    // has left the wanted rows by the time the job runs. Answers through iconRefreshed.
    void loadIcon(const Image& photo, int index);
    // Calls off the current batch without starting another.
    void cancel();
    // The rows whose icons the jobs make (all rows until told otherwise).
    void setWantedRows(int first, int last);

signals:
    void iconReady(int index, QPixmap icon, int album);
    void filesReady(int index, int album);
    void iconRefreshed(int index, QPixmap icon, int album);
    void jobDropped();

private:
    void replaceBatch();
    // With skippedRow, the job does no work once that row is no longer wanted.
    void start(ThumbnailThread* work, ThumbReplyRelay* relay, int skippedRow = -1);
    // Hands the next slice of the batch to the pool.
    void feed();

    std::shared_ptr<std::atomic<bool>> m_cancelled;
    std::shared_ptr<WantedRows> m_wanted;
    // The batch's photos not yet handed to the pool, from m_next on.
    QList<Image> m_waiting;
    int m_next = 0;
    QTimer m_feeder;
    QPointer<ThumbReplyRelay> m_counted;
    QPointer<ThumbReplyRelay> m_single;
};

#endif // ALBUMTHUMBNAILS_H
