#include "workspace/albumiconcache.h"

#include "workspace/albumthumbnails.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

namespace {

// Icons held at least: a few screens of a large view, a few megabytes of pixmaps.
const int kMinimumCapacity = 400;
// The rows wanted while the icon view is not shown (the table is): the top of the album.
const int kHiddenRows = 200;

} // namespace

AlbumIconCache::AlbumIconCache(
    QListWidget* icons, AlbumThumbnails* jobs, std::function<QList<Image>()> photos, QObject* parent)
    : QObject(parent)
    , m_icons(icons)
    , m_jobs(jobs)
    , m_photos(std::move(photos))
    , m_minimumCapacity(kMinimumCapacity)
{
    // Named for the benchmark's stall profile.
    m_flushTimer.setObjectName(QStringLiteral("iconFlush"));
    m_windowTimer.setObjectName(QStringLiteral("iconWindow"));
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &AlbumIconCache::flush);
    m_windowTimer.setSingleShot(true);
    m_windowTimer.setInterval(0);
    connect(&m_windowTimer, &QTimer::timeout, this, &AlbumIconCache::updateWindow);

    QAbstractItemModel* model = icons->model();
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &AlbumIconCache::reset);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
        [this](const QModelIndex&, int first, int last) { forgetRows(first, last); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        // A refilled view's rows are answered by the batch that the panel starts with it.
        const int old = m_batchDone.size();
        m_batchDone.resize(old + last - first + 1);
        for (int row = old - 1; row >= first; --row)
            m_batchDone.setBit(row + last - first + 1, m_batchDone.testBit(row));
        for (int row = first; row <= last; ++row)
            m_batchDone.clearBit(row);
        scheduleWindow();
    });
    connect(icons->verticalScrollBar(), &QScrollBar::valueChanged, this, &AlbumIconCache::scheduleWindow);
    icons->viewport()->installEventFilter(this);
}

int AlbumIconCache::capacity() const
{
    return std::max(m_minimumCapacity, 3 * (m_last - m_first + 1));
}

bool AlbumIconCache::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        scheduleWindow();
    return QObject::eventFilter(watched, event);
}

bool AlbumIconCache::isWaiting(int row) const
{
    QListWidgetItem* item = m_icons->item(row);
    return item && !m_held.contains(item);
}

void AlbumIconCache::deliver(int row, const QPixmap& icon)
{
    m_delivered.append({row, icon});
    scheduleFlush();
}

void AlbumIconCache::noteFilesReady(int row)
{
    m_filesReady.append(row);
    scheduleFlush();
}

void AlbumIconCache::noteBatchDropped()
{
    m_batchDone.fill(true);
    scheduleWindow();
}

void AlbumIconCache::scheduleFlush()
{
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void AlbumIconCache::scheduleWindow()
{
    if (!m_windowTimer.isActive())
        m_windowTimer.start();
}

void AlbumIconCache::reset()
{
    m_order.clear();
    m_held.clear();
    m_loading.clear();
    m_batchDone.clear();
    // Icons of the album before are no icons of the rows to come.
    m_delivered.clear();
    m_filesReady.clear();
}

void AlbumIconCache::forgetRows(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        QListWidgetItem* item = m_icons->item(row);
        const auto held = m_held.find(item);
        if (held != m_held.end()) {
            m_order.erase(held.value());
            m_held.erase(held);
        }
        m_loading.remove(item);
    }
    // Rows below move up: what the batch has answered is no longer known by row, so the
    // cache loads what it misses itself.
    m_batchDone.fill(true, std::max(0, m_batchDone.size() - (last - first + 1)));
    scheduleWindow();
}

void AlbumIconCache::hold(QListWidgetItem* item)
{
    const auto held = m_held.find(item);
    if (held != m_held.end())
        m_order.erase(held.value());
    m_held.insert(item, m_order.insert(m_order.end(), item));
}

void AlbumIconCache::evict()
{
    const int bound = capacity();
    // The wanted rows stay whatever their age: they are in view or about to be.
    for (auto it = m_order.begin(); m_held.size() > bound && it != m_order.end();) {
        QListWidgetItem* oldest = *it;
        if (isWanted(m_icons->row(oldest))) {
            ++it;
            continue;
        }
        it = m_order.erase(it);
        m_held.remove(oldest);
        oldest->setIcon(QIcon());
    }
}

void AlbumIconCache::load(const QList<Image>& photos, int row)
{
    QListWidgetItem* item = m_icons->item(row);
    if (!item || row >= photos.size() || m_held.contains(item) || m_loading.contains(item))
        return;
    m_loading.insert(item);
    m_jobs->loadIcon(photos.at(row), row);
}

void AlbumIconCache::flush()
{
    const QVector<QPair<int, QPixmap>> delivered = std::move(m_delivered);
    m_delivered.clear();
    for (const QPair<int, QPixmap>& icon : delivered) {
        QListWidgetItem* item = m_icons->item(icon.first);
        if (!item)
            continue;
        if (icon.first < m_batchDone.size())
            m_batchDone.setBit(icon.first);
        m_loading.remove(item);
        // An icon of a row that has left the wanted rows is made again when shown, unless
        // the item still holds an older one, which it replaces.
        if (!isWanted(icon.first) && !m_held.contains(item))
            continue;
        item->setIcon(icon.second);
        hold(item);
    }
    const QVector<int> ready = std::move(m_filesReady);
    m_filesReady.clear();
    if (!ready.isEmpty()) {
        const QList<Image> photos = m_photos();
        for (int row : ready) {
            if (row < 0 || row >= m_batchDone.size())
                continue;
            m_batchDone.setBit(row);
            // Scrolled to after its batch job had passed it.
            if (isWanted(row))
                load(photos, row);
        }
    }
    evict();
    emit flushed();
}

QPair<int, int> AlbumIconCache::visibleRows() const
{
    const int count = m_icons->count();
    if (count == 0)
        return {0, -1};
    if (!m_icons->isVisible() || m_icons->viewport()->height() <= 0)
        return {0, std::min(count, kHiddenRows) - 1};
    // The items are alike and laid out in lines of equal height, left to right.
    const QRect first = m_icons->visualItemRect(m_icons->item(0));
    int perLine = 1;
    while (perLine < count && perLine < 1024 && m_icons->visualItemRect(m_icons->item(perLine)).top() == first.top())
        ++perLine;
    const int lineHeight
        = perLine < count ? m_icons->visualItemRect(m_icons->item(perLine)).top() - first.top() : first.height();
    if (lineHeight <= 0)
        return {0, std::min(count, kHiddenRows) - 1};
    const int scrolled = std::max(0, -first.top());
    const int firstLine = scrolled / lineHeight;
    const int lastLine = (scrolled + m_icons->viewport()->height()) / lineHeight;
    return {std::min(count - 1, firstLine * perLine), std::min(count - 1, (lastLine + 1) * perLine - 1)};
}

void AlbumIconCache::updateWindow()
{
    const QPair<int, int> shown = visibleRows();
    const int screen = shown.second - shown.first + 1;
    m_first = std::max(0, shown.first - screen);
    m_last = std::min(m_icons->count() - 1, shown.second + screen);
    m_jobs->setWantedRows(m_first, m_last);
    if (screen <= 0)
        return;
    // Jobs of rows scrolled past do no work; their items load again when shown.
    for (auto it = m_loading.begin(); it != m_loading.end();) {
        if (isWanted(m_icons->row(*it)))
            ++it;
        else
            it = m_loading.erase(it);
    }
    for (int row = shown.first; row <= shown.second; ++row) {
        QListWidgetItem* item = m_icons->item(row);
        if (m_held.contains(item))
            hold(item);
    }
    evict();
    // The rows in view first, then those above and below; the batch's own rows wait for it.
    const QList<Image> photos = m_photos();
    auto want = [&](int row) {
        if (row < m_batchDone.size() && !m_batchDone.testBit(row))
            return;
        load(photos, row);
    };
    for (int row = shown.first; row <= shown.second; ++row)
        want(row);
    for (int step = 1; step <= screen; ++step) {
        if (shown.second + step <= m_last)
            want(shown.second + step);
        if (shown.first - step >= m_first)
            want(shown.first - step);
    }
}
