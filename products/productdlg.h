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
#include <memory>

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
// Every editor the panel opens is bound to the product it was opened for and to its kind: its report goes to that
// row of the same load, or after a reload to the one product carrying its id; it is dropped when no product is
// surely the same (a reload removed it, or its id is empty or shared). A product's photo list has at most one post
// on its way; changes made meanwhile are sent as one, the latest list, after its reply. Both are kept per product,
// never per id text alone, since a reply may leave ids empty or repeat them.
// A save (an editor's fields, the overall requirement, the express flag) is written locally before it is posted; when
// the back end does not take it (a refusal, a body that is no JSON object, a failed transfer) one box says so, the
// value before it comes back, and a reload shows what the back end holds.
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
    // A quiet update or load shows no box when it fails (a failed save has had its box).
    void postModifyStock(bool isQuiet = false);
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
    // The product's photo list to the back end, now or after the reply of the one on its way (key: picPostKey).
    void postProPic(const QString& key, const Product& product);
    void sendProPic(const QString& key);
    void queryPostPicCallBack(const QString& key, const BackendReply& reply);

    // The product an editor was opened on: its row in the load it came with, and its id for a later load.
    struct ProductRef
    {
        int load = -1;
        int row = -1;
        QString id;
    };
    ProductRef productRef(int row) const;
    // The row of that product now; -1 (after "请选择一项产品") when no product is surely the same.
    int rowOfEditedProduct(const ProductRef& ref) const;
    // The row of the one product of this load with that id; -1 when the id is empty, absent or shared.
    int rowOfUniqueId(const QString& id) const;
    // Which product a photo-list post belongs to: its id when that names it alone, else its row in this load.
    QString picPostKey(int row) const;

    // Editor reports, each for the product the editor was opened for.
    void on_newNumber(const ProductRef& ref, const QString& number);
    void on_newPage(const ProductRef& ref, const QString& page);
    void on_newAddPage(const ProductRef& ref, const QString& page);
    void on_newZhangshu(const ProductRef& ref, const QString& zhangshu);
    void on_ProductReq(const ProductRef& ref, const QString& productReq, const QString& page, const QString& number,
        const QString& zhangshu, const QString& addpage);
    void on_AllProductReq(const QString& allProductReq);
    void editField(const FieldEdit& edit, const ProductRef& ref, const QString& value);
    void setFieldCell(int row, const FieldEdit& edit, const QString& value);
    // One editor's report: its posts (one per field), answered as one save.
    struct FieldSave;
    void postField(const std::shared_ptr<FieldSave>& save, int part);
    void queryPostFieldCallBack(const std::shared_ptr<FieldSave>& save, int part, const BackendReply& reply);
    // The value written before a save that failed, while the product still holds what was posted.
    void restoreField(const ProductRef& ref, const FieldEdit& edit, const QString& posted, const QString& before);
    // After a save the back end did not take, and its box: what the back end holds (with the stock updated first
    // when a count was saved). These loads show no box of their own: the save's box has said what went wrong.
    void reloadAfterFailedSave(bool isCount);
    void connectRequirement(ProductRequirement* editor, const ProductRef& ref);
    template <typename Editor> void showAtCursor(Editor* editor);

    void queryCheckStock();
    void queryCheckStockCallBack(const BackendReply& reply);
    void openSubmitDialog();
    // The products load; afterLoad is told whether the reply was accepted and shown.
    void loadProducts(std::function<void(bool isShown)> afterLoad, bool isQuiet = false);
    void queryConsumRemarkCallBack(const BackendReply& reply);

    void queryAllReq();
    void queryAllReqCallBack(const BackendReply& reply);
    void postAllProductReq(const QString& before);
    void queryPostAllProdReqCallBack(const QString& posted, const QString& before, const BackendReply& reply);
    // The overall requirement again, into ProductData::all_product_requirement, without a box, unless it was
    // edited again before the answer came.
    void reloadAllReq();
    void partEmsProduct(const ProductRef& ref, QString ordergoodid, QString typeId);
    void queryPostIsPartCallBack(const ProductRef& ref, bool posted, const BackendReply& reply);

    bool isProductRow(int row) const;
    void showDefaultThumb(QStringList names);
    void refreshList(int row);
    void refreshList(int row, QStringList names, bool);
    void startThumbJob(const QString& name, int index);
    void setRow(int row, const Product& product);
    // Every post of the panel: the address and body to the debug log under logLabel, then posted.
    void post(const char* logLabel, const QString& url, const QByteArray& body, BackendPost::Handler handler);
    // True when the load was accepted and shown; a quiet load shows no box when it is not.
    bool queryCallBack(const BackendReply& reply, bool isQuiet = false);
    void queryModifyStockCallBack(const BackendReply& reply, bool isQuiet = false);

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
    // Products (by picPostKey) whose photo list is on its way, and the latest list of each still to send.
    struct PendingPics
    {
        QString id;
        QStringList pics;
    };
    QSet<QString> m_picPostsOut;
    QHash<QString, PendingPics> m_picListsWaiting;
    // Counts the products loads: a row means a product only within its load.
    int m_loadNumber = 0;
    // Counts the overall requirement's edits: a reload asked for before the latest one knows less than it.
    int m_allReqEdits = 0;
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
