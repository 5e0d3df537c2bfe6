#include "workspace/albumtablemodel.h"

#include "workspace/albumdisplay.h"

#include <QSet>

namespace {

const int kColumns = 4;

} // namespace

AlbumTableModel::AlbumTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void AlbumTableModel::setPhotos(const QList<Image>& photos)
{
    beginResetModel();
    m_photos = photos;
    endResetModel();
}

void AlbumTableModel::removeNames(const QStringList& names)
{
    const QSet<QString> gone(names.cbegin(), names.cend());
    for (int row = m_photos.size() - 1; row >= 0; --row) {
        if (!gone.contains(m_photos.at(row).GetImageName()))
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_photos.removeAt(row);
        endRemoveRows();
    }
}

int AlbumTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_photos.size();
}

int AlbumTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant AlbumTableModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() || index.row() >= m_photos.size())
        return QVariant();
    return AlbumDisplay::tableText(m_photos.at(index.row()), index.column());
}

QVariant AlbumTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return tr("照片");
    case 1:
        return tr("产品");
    case 2:
        return tr("调修要求");
    case 3:
        return tr("裁剪");
    default:
        return QVariant();
    }
}

Qt::ItemFlags AlbumTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Rows are dragged onto the album buttons; nothing is edited in place.
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}
