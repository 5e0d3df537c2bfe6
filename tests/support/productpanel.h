#ifndef PRODUCTPANEL_H
#define PRODUCTPANEL_H

#include "products/productdlg.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class DropListWidget;
class QStandardItemModel;
class QTableView;
class TestBackend;

// A products panel with handles on its table, model and photo list, driven as the operator drives it.
struct ProductPanel
{
    std::unique_ptr<ProductDlg> dlg;
    QTableView* table = nullptr;
    QStandardItemModel* model = nullptr;
    DropListWidget* list = nullptr;

    // Builds the panel; true when its first products load has been answered.
    bool load();
    // Every post of the panel answered: each runs on a manager of its own, released after.
    bool postsAnswered();
    // A click as the table delivers it: current index, click, then the single-click timer.
    bool click(int row, int column = 0);
    // A double click: the click before it, then the double click.
    bool doubleClick(int row, int column);
    // Selects the photo list's items at the given positions, and only them.
    void selectPhotos(const QList<int>& positions);
    QString cell(int row, int column) const;
};

// The test order's identifiers in Config, the order open (not locked), no products.
void useTestOrder();

// A products reply of four albums whose ids do not tell them apart: the first two carry no "id", the other two share
// "80100". Each has its own name, counts and one photo.
QJsonObject productsWithoutIds();

// The photo lists posted for product id, decoded, in the order the stand-in received them.
QStringList postedPicLists(TestBackend& backend, const QString& productId);

#endif // PRODUCTPANEL_H
