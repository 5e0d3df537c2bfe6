#ifndef PRODUCTDLG_H
#define PRODUCTDLG_H

#include "photostore/product.h"

#include <QDialog>
#include <QList>
#include <QModelIndex>
#include <QPixmap>
#include <QStringList>

struct BackendReply;
class DropListWidget;
class QAction;
class QListWidgetItem;
class QMenu;
class QStandardItem;
class QStandardItemModel;
class QTimer;
namespace Ui {
class ProductDlg;
}

// The products panel of the selection workspace: the order's products in a 17-column table and the photos of the chosen
// product in a list that takes drops from the album panel.
//
// Row r of the table is element r of ProductData::m_products, which every load replaces as a whole; every row-based
// operation checks its row against that list. The photo list's icons are made by thumbnail jobs on the global pool,
// each answering updateThumbIcon() with the row and index it was started for; answers that no longer fit are dropped.
// GUI thread only.
class ProductDlg : public QDialog
{
    Q_OBJECT
public:
    explicit ProductDlg(QWidget* parent = nullptr);
    ~ProductDlg() override;

    // The filter of the album shown (a SELETYPE value); only the workspace writes it.
    int seleType;

    // The photos to add with the following addToProduct1().
    void setPicNames(QStringList& names);
    void addToProduct1();
    // The photo list of the table's current row again (the viewer changed a thumbnail).
    void refreshList();
    // Empties the photo list, posts the stock update and reloads the products.
    void refreshProduct(int mode);
    void setLocked();

    void queryProducts();
    void postModifyStock();
    void refreshTabel(QList<Product> list);

    // The name cell: name and photo count, marked for added and child products.
    static QString productNameText(const Product& product);

signals:
    void getPicNamelist();
    void showImage();
    void updateImage(QStringList imgNameList);
    void updateImage();
    void sendSetLocked();
    void changeView();
    void getProducetFinish();

public slots:
    // A drop on the photo list: the checks, then the album panel's selection is asked for.
    void addToProduct();
    void onSetLocked();
    void selectRowR(const QModelIndex& index);
    void handleSingleClickTable();
    void showTableMouseRightButton(const QPoint pos);
    void showMouseRightButton(const QPoint pos);
    void selectItem(QListWidgetItem* item);
    // A thumbnail job's answer for item pic of the list filled for currentRow.
    void updateThumbIcon(int currentRow, int pic, QPixmap pixmap, int type);
    void tbCopyAction();
    void deletePhoto();
    void cutImgAction();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool addToProductDuge();
    void addToProductStart();
    QStringList getSelectedItems() const;
    bool isProductRow(int row) const;
    void showDefaultThumb(QStringList names);
    void refreshList(int row);
    void refreshList(int row, QStringList names, bool);
    void startThumbJob(const QString& name, int index);
    void setRow(int row, const Product& product);
    // Every post of the panel: the address and body to the debug log under logLabel, then posted.
    void post(const char* logLabel, const QString& url, const QByteArray& body,
        void (ProductDlg::*handler)(const BackendReply&));
    void queryCallBack(const BackendReply& reply);
    void queryModifyStockCallBack(const BackendReply& reply);

    Ui::ProductDlg* ui;
    QStandardItemModel* model;
    DropListWidget* photoList;
    QMenu* m_requireMenu;
    QMenu* m_photoMenu;
    QMenu* m_tableMenu;
    QAction* m_deleteAction;
    QAction* m_cutAction;
    QAction* m_pasteAction;
    QTimer* m_clickTimer;
    QStringList picNames;
    QStringList m_cutNames;
    int currentRow;
    int m_currentColumn;
};

#endif // PRODUCTDLG_H
