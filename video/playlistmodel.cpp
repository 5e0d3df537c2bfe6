#include "video/playlistmodel.h"

#include <QFileInfo>
#include <QMediaPlaylist>
#include <QUrl>

PlaylistModel::PlaylistModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

QModelIndex PlaylistModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= rowCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex PlaylistModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int PlaylistModel::rowCount(const QModelIndex& parent) const
{
    return m_playlist && !parent.isValid() ? m_playlist->mediaCount() : 0;
}

int PlaylistModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    const auto stored = m_data.constFind(index);
    if (stored != m_data.constEnd())
        return stored.value();
    if (index.column() != 0 || !m_playlist)
        return QVariant();
    const QUrl location = m_playlist->media(index.row()).request().url();
    return QFileInfo(location.path()).fileName();
}

bool PlaylistModel::setData(const QModelIndex& index, const QVariant& value, int)
{
    m_data[index] = value;
    emit dataChanged(index, index);
    return true;
}

QMediaPlaylist* PlaylistModel::playlist() const
{
    return m_playlist;
}

void PlaylistModel::setPlaylist(QMediaPlaylist* playlist)
{
    beginResetModel();
    if (m_playlist)
        disconnect(m_playlist, nullptr, this, nullptr);
    m_playlist = playlist;
    m_data.clear();
    if (m_playlist) {
        connect(m_playlist, &QMediaPlaylist::mediaAboutToBeInserted, this, &PlaylistModel::beginInsertItems);
        connect(m_playlist, &QMediaPlaylist::mediaInserted, this, &PlaylistModel::endInsertItems);
        connect(m_playlist, &QMediaPlaylist::mediaAboutToBeRemoved, this, &PlaylistModel::beginRemoveItems);
        connect(m_playlist, &QMediaPlaylist::mediaRemoved, this, &PlaylistModel::endRemoveItems);
        connect(m_playlist, &QMediaPlaylist::mediaChanged, this, &PlaylistModel::changeItems);
    }
    endResetModel();
}

void PlaylistModel::beginInsertItems(int start, int end)
{
    m_data.clear();
    beginInsertRows(QModelIndex(), start, end);
}

void PlaylistModel::endInsertItems()
{
    endInsertRows();
}

void PlaylistModel::beginRemoveItems(int start, int end)
{
    m_data.clear();
    beginRemoveRows(QModelIndex(), start, end);
}

void PlaylistModel::endRemoveItems()
{
    endRemoveRows();
}

void PlaylistModel::changeItems(int start, int end)
{
    m_data.clear();
    emit dataChanged(index(start, 0), index(end, 0));
}
