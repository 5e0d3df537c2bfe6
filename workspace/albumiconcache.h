#ifndef ALBUMICONCACHE_H
#define ALBUMICONCACHE_H

#include "photostore/image.h"

#include <QBitArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QTimer>
#include <QVector>

#include <functional>
#include <list>

class AlbumThumbnails;
class QListWidget;
class QListWidgetItem;

// The decoded icons of the album panel's icon view, held only for the rows in and near the
// viewport: an item carries its icon while it is in the cache, and the cache keeps at most
// capacity() items (the least recently shown leave first; the rows in view never do). A row
// scrolled into view without an icon gets it from its list thumbnail on disk through a
// worker job; the album's batch makes the icons of the rows wanted when its jobs run.
//
// Icons handed in are applied once per turn of the event loop, all together, so that a burst
// of replies costs one pass and one repaint; flushed() follows each pass. GUI thread only;
// the panel owns it and the view.
class AlbumIconCache : public QObject
{
    Q_OBJECT
public:
    // photos gives the album shown, in the view's order.
    AlbumIconCache(
        QListWidget* icons, AlbumThumbnails* jobs, std::function<QList<Image>()> photos, QObject* parent = nullptr);

    // The most items that hold an icon at once: three times the wanted rows, and never less
    // than the least bound (a few hundred icons unless set lower).
    int capacity() const;
    void setMinimumCapacity(int icons) { m_minimumCapacity = icons; }
    // The items that hold an icon (or the known lack of one) now.
    int size() const { return m_held.size(); }
    // The row has no icon yet: it is neither held nor known to have none.
    bool isWaiting(int row) const;

    // An icon for the row, made from the photo as it is now; a null icon: the photo has none.
    void deliver(int row, const QPixmap& icon);
    // The album's batch has passed the row without making its icon (it was not wanted then).
    void noteFilesReady(int row);
    // Jobs of the album's batch were thrown away unrun (a pool clear by another window): the
    // cache loads the icons the batch would have made.
    void noteBatchDropped();
    // Applies what was handed in at the next turn of the event loop.
    void scheduleFlush();
    // Takes the rows in view now and loads the icons they miss (also done by itself as the
    // view scrolls, resizes or is refilled).
    void updateWindow();

signals:
    void flushed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void flush();
    void reset();
    void forgetRows(int first, int last);
    void scheduleWindow();
    // The rows that intersect the viewport; the first rows when the view is not shown.
    QPair<int, int> visibleRows() const;
    bool isWanted(int row) const { return row >= m_first && row <= m_last; }
    void hold(QListWidgetItem* item);
    void evict();
    void load(const QList<Image>& photos, int row);

    QListWidget* m_icons;
    AlbumThumbnails* m_jobs;
    std::function<QList<Image>()> m_photos;
    // Items holding their icon, least recently shown first.
    std::list<QListWidgetItem*> m_order;
    QHash<QListWidgetItem*, std::list<QListWidgetItem*>::iterator> m_held;
    // Items whose icon a job of the cache is making.
    QSet<QListWidgetItem*> m_loading;
    // Rows the album's batch has answered; until then its job may still make the icon.
    QBitArray m_batchDone;
    QVector<QPair<int, QPixmap>> m_delivered;
    QVector<int> m_filesReady;
    // The wanted rows: those in view and a screen above and below.
    int m_first = 0;
    int m_last = -1;
    int m_minimumCapacity;
    QTimer m_flushTimer;
    QTimer m_windowTimer;
};

#endif // ALBUMICONCACHE_H
