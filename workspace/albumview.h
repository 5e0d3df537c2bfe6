#ifndef ALBUMVIEW_H
#define ALBUMVIEW_H

#include "photostore/image.h"

#include <QList>
#include <Qt>
#include <QString>
#include <QStringList>

class QListWidget;
class QAbstractItemModel;
class QTableView;

// The album panel's two views of the shown album, the table and the icon list, taken as
// one: both are filled from the same list in the same order, so a row and an icon of the
// same index name the same photo, and one of the two is shown. The panel owns it and fills
// the views; the helpers that move photos and answer keys are handed it instead of the
// widgets. It owns no widget (they live in the panel's layout). GUI thread only.
class AlbumView
{
public:
    // A selected photo: its name and the product marks its used-test reads.
    struct Selected
    {
        QString name;
        QString marks;
    };

    AlbumView(QTableView* table, QAbstractItemModel* model, QListWidget* icons);

    // The album whose photos the views hold (the photo store's current album).
    int album() const;
    bool isListShown() const { return m_isListShown; }
    // Shows the other view.
    void switchView();
    void setDragEnabled(bool enabled);

    // The current row of the view shown (-1 for none).
    int currentRow() const;
    // The number of icons; the table is rebuilt from the same list.
    int count() const;
    // The selected photos of the view shown, in selection order.
    // Names as the files are spelt on disk where the shown list (album filter sel) has the row,
    // so that of IMG_1.JPG and IMG_1.jpg the one chosen is the one moved.
    QList<Selected> selectedPhotos(SELETYPE sel) const;

    // Where an icon keeps the name of its photo's file, as the moves name it.
    static const int FileNameRole = Qt::UserRole;

    // Takes the icons of these names out of the icon list: a photo's name or its file's own
    // name (a move names IMG_1.JPG, whose icon shows IMG_1.jpg).
    void removeNames(const QStringList& names);
    // Shows the photo at row in the view shown, as a click would: the row clamped to the
    // view (0 past its end), nothing in an empty view.
    void reselect(int row);
    // The same in the icon list, whichever view is shown.
    void reselectIcon(int row);
    // Selects the icon of a row, clicks it and makes it current, as the operator would.
    void clickIcon(int row);
    // Makes row the current and only selected one in both views and scrolls to it, without a
    // click: the photo is already shown.
    void highlight(int row);

private:
    QTableView* m_table;
    QAbstractItemModel* m_model;
    QListWidget* m_icons;
    bool m_isListShown = false;
};

#endif // ALBUMVIEW_H
