#ifndef ALBUMTABLEMODEL_H
#define ALBUMTABLEMODEL_H

#include "photostore/image.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows of the album panel's table: one per photo of the list it was last handed, in
// list order, with the file name, the product marks, the retouch requirement and the crop
// text. The texts are made when the view asks for a row, so that filling the table with a
// large album costs the same as filling it with a small one. The list is kept as handed
// (a copy that shares the photo store's until either changes): the table shows the album
// as it was at its last filling, as a table of items would. GUI thread only.
class AlbumTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit AlbumTableModel(QObject* parent = nullptr);

    // Replaces the rows with the photos of a list.
    void setPhotos(const QList<Image>& photos);
    // Removes each row whose file name is one of names.
    void removeNames(const QStringList& names);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<Image> m_photos;
};

#endif // ALBUMTABLEMODEL_H
