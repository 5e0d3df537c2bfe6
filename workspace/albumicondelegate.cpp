#include "workspace/albumicondelegate.h"

#include "workspace/albumiconcache.h"

#include <QIcon>
#include <QPainter>

#include <algorithm>

AlbumIconDelegate::AlbumIconDelegate(const AlbumIconCache* cache, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_cache(cache)
{
}

void AlbumIconDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (index.data(Qt::DecorationRole).value<QIcon>().isNull() && m_cache->isWaiting(index.row())) {
        const int side = std::max(0, std::min(option.rect.width(), option.rect.height()) - 4);
        const QRect square(option.rect.left() + (option.rect.width() - side) / 2, option.rect.top() + 2, side, side);
        painter->fillRect(square, QColor(225, 225, 225));
    }
    QStyledItemDelegate::paint(painter, option, index);
}
