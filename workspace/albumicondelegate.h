#ifndef ALBUMICONDELEGATE_H
#define ALBUMICONDELEGATE_H

#include <QStyledItemDelegate>

class AlbumIconCache;

// Paints the icon view's items, with a grey square in place of an icon that is still being
// loaded (a photo known to have none stays empty). GUI thread only; the panel owns it.
class AlbumIconDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    AlbumIconDelegate(const AlbumIconCache* cache, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const AlbumIconCache* m_cache;
};

#endif // ALBUMICONDELEGATE_H
