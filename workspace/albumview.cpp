#include "workspace/albumview.h"

#include "photostore/imagedata.h"

#include <QListWidget>
#include <QSet>
#include <QAbstractItemModel>
#include <QTableView>

AlbumView::AlbumView(QTableView* table, QAbstractItemModel* model, QListWidget* icons)
    : m_table(table)
    , m_model(model)
    , m_icons(icons)
{
}

int AlbumView::album() const
{
    return ImageData::getInstance()->getType();
}

void AlbumView::switchView()
{
    if (!m_icons->isHidden()) {
        m_table->show();
        m_icons->hide();
        m_isListShown = false;
    } else {
        m_table->hide();
        m_icons->show();
        m_isListShown = true;
    }
}

void AlbumView::setDragEnabled(bool enabled)
{
    m_table->setDragEnabled(enabled);
    m_icons->setDragEnabled(enabled);
}

int AlbumView::currentRow() const
{
    if (m_isListShown)
        return m_icons->currentRow();
    return m_table->currentIndex().row();
}

int AlbumView::count() const
{
    return m_icons->count();
}

QList<AlbumView::Selected> AlbumView::selectedPhotos(SELETYPE sel) const
{
    const QList<Image>& shown = ImageData::getInstance()->getImagelist(sel);
    const auto onDisk = [&shown](int row, const QString& name) {
        if (row < 0 || row >= shown.size() || shown.at(row).GetImageName() != name)
            return name;
        return shown.at(row).ownFileName();
    };
    QList<Selected> picked;
    if (!m_isListShown) {
        // A table row's marks are read from the 成品 photo of its name.
        for (const QModelIndex& index : m_table->selectionModel()->selectedRows(0)) {
            const QString name = m_model->data(m_model->index(index.row(), 0)).toString();
            picked.append(
                {onDisk(index.row(), name), ImageData::getInstance()->getFineImage(name, SELE_ALL).getProductId()});
        }
        return picked;
    }
    // An icon names the table row of its index; the marks are that row's 产品 column.
    for (QListWidgetItem* item : m_icons->selectedItems()) {
        const int row = m_icons->row(item);
        if (row < 0 || row >= m_model->rowCount())
            continue;
        const QString name = m_model->data(m_model->index(row, 0)).toString();
        picked.append({onDisk(row, name), m_model->data(m_model->index(row, 1)).toString()});
    }
    return picked;
}

void AlbumView::removeNames(const QStringList& names)
{
    if (names.size() == m_icons->count()) {
        m_icons->clear();
        return;
    }
    // One pass from the end; an icon is found by its tooltip, the photo's name, or by its
    // file's own name.
    const QSet<QString> gone(names.cbegin(), names.cend());
    for (int row = m_icons->count() - 1; row >= 0; --row) {
        const QListWidgetItem* icon = m_icons->item(row);
        if (!gone.contains(icon->toolTip()) && !gone.contains(icon->data(FileNameRole).toString()))
            continue;
        if (row == m_icons->count() - 1 && m_icons->count() > 1)
            m_icons->setCurrentRow(0);
        delete m_icons->takeItem(row);
    }
}

void AlbumView::reselect(int row)
{
    if (m_isListShown) {
        reselectIcon(row);
        return;
    }
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    if (row < 0 || row >= rows)
        row = 0;
    const QModelIndex index = m_model->index(row, 0);
    emit m_table->clicked(index);
    m_table->setCurrentIndex(index);
}

void AlbumView::reselectIcon(int row)
{
    const int icons = m_icons->count();
    if (icons == 0)
        return;
    clickIcon(row < 0 || row >= icons ? 0 : row);
}

void AlbumView::highlight(int row)
{
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        m_table->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_table->scrollTo(index);
    }
    if (QListWidgetItem* item = m_icons->item(row)) {
        m_icons->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        m_icons->scrollToItem(item);
    }
}

void AlbumView::clickIcon(int row)
{
    QListWidgetItem* item = m_icons->item(row);
    item->setSelected(true);
    emit m_icons->itemClicked(item);
    m_icons->setCurrentItem(item);
}
