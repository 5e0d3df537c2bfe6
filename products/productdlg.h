#ifndef PRODUCTDLG_H
#define PRODUCTDLG_H

#include "photostore/product.h"

#include "core/backendpost.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QModelIndex>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

struct BackendReply;
class DropListWidget;
class QAction;
class QListWidgetItem;
class QMenu;
class QStandardItem;
class QStandardItemModel;
class QTimer;
class ProductRequirement;
class SettingNumber;
class SettingPage;
class SettingZhangshu;
struct FieldEdit;
namespace Ui {
class ProductDlg;
}

// The products panel of the selection workspace: the order's products in a 17-column table and the photos of the chosen
// product in a list that takes drops from the album panel.
//
// Row r of the table is element r of ProductData::m_products, which every load replaces as a whole; every row-based
// operation checks its row against that list. The photo list's icons are made by thumbnail jobs on the global pool,
// each answering updateThumbIcon() with the row and index it was started for; answers that no longer fit are dropped.
//
// Every editor the panel opens is bound to the product it was opened for (its id) and to its kind: its report
// goes to that product wherever it stands by then, or is dropped when a reload removed it. A product's photo list
// has at most one post on its way; changes made meanwhile are sent as one, the latest list, after its reply.
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

    // Receivers of the urgency and product-change windows (connected by address: no form object carries these
    // names).
    void on_newUrgency();
    void on_newProducts(QList<Product> products);

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
    void doubleClickTable(const QModelIndex& index);
    void onrequire_menu_Triggered(QAction* action);

    // The submission gate: the stock check, then the upload list or the submission dialog.
    void on_submitButton_clicked();
    void uploadSuccessedSlot();
    void on_urgentButton_clicked();
    void on_pushButton_clicked();
    void on_pb_xfsm_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool addToProductDuge();
    void addToProductStart();
    // The names not yet in the product of the current row; the box names the others.
    QStringList excludeExistedPics(QStringList names);
    QStringList getSelectedItems() const;
    // The product's photo list to the back end, now or after the reply of the one on its way.
    void postProPic(const Product& product);
    void sendProPic(const QString& productId);
    void queryPostPicCallBack(const QString& productId, const BackendReply& reply);
    // The row of the product with that id; -1 (after "请选择一项产品") when a reload removed it.
    int rowOfEditedProduct(const QString& productId) const;

    // Editor reports, each for the product the editor was opened for.
    void on_newNumber(const QString& productId, const QString& number);
    void on_newPage(const QString& productId, const QString& page);
    void on_newAddPage(const QString& productId, const QString& page);
    void on_newZhangshu(const QString& productId, const QString& zhangshu);
    void on_ProductReq(const QString& productId, const QString& productReq, const QString& page, const QString& number,
        const QString& zhangshu, const QString& addpage);
    void on_AllProductReq(const QString& allProductReq);
    void editField(const FieldEdit& edit, const QString& productId, const QString& value);
    void setFieldCell(int row, const FieldEdit& edit, const QString& value);
    void postField(const FieldEdit& edit, const QString& productId, const QString& value);
    void queryPostFieldCallBack(const FieldEdit& edit, const BackendReply& reply);
    void connectRequirement(ProductRequirement* editor, const QString& productId);
    template <typename Editor> void showAtCursor(Editor* editor);

    void queryCheckStock();
    void queryCheckStockCallBack(const BackendReply& reply);
    void openSubmitDialog();
    // The products load; afterLoad is told whether the reply was accepted and shown.
    void loadProducts(std::function<void(bool isShown)> afterLoad);
    void queryConsumRemarkCallBack(const BackendReply& reply);

    void queryAllReq();
    void queryAllReqCallBack(const BackendReply& reply);
    void postAllProductReq();
    void queryPostAllProdReqCallBack(const BackendReply& reply);
    void partEmsProduct(QString ordergoodid, QString typeId);
    void queryPostIsPartCallBack(const BackendReply& reply);

    bool isProductRow(int row) const;
    void showDefaultThumb(QStringList names);
    void refreshList(int row);
    void refreshList(int row, QStringList names, bool);
    void startThumbJob(const QString& name, int index);
    void setRow(int row, const Product& product);
    // Every post of the panel: the address and body to the debug log under logLabel, then posted.
    void post(const char* logLabel, const QString& url, const QByteArray& body, BackendPost::Handler handler);
    // True when the load was accepted and shown.
    bool queryCallBack(const BackendReply& reply);
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
    QPointer<SettingPage> m_settingPage;
    QPointer<SettingNumber> m_settingNumber;
    QPointer<SettingZhangshu> m_settingZhangshu;
    // Products whose photo list is on its way, and the latest list of each still to send.
    QSet<QString> m_picPostsOut;
    QHash<QString, QStringList> m_picListsWaiting;
    QStringList picNames;
    QStringList m_cutNames;
    int currentRow;
    int m_currentColumn;
    // A stock check (or the reload leading to one) is on its way: presses of "提交选片结果" are ignored meanwhile,
    // so one press opens one upload list or submission dialog.
    bool m_isCheckingStock;
    bool m_isRemarkQuerying;
};

#endif // PRODUCTDLG_H
