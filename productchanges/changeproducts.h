#ifndef CHANGEPRODUCTS_H
#define CHANGEPRODUCTS_H

#include "photostore/product.h"

#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

struct BackendReply;
class AddNewProducts;
class ProductRequirement;
class QFrame;
class QGridLayout;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;
namespace Ui {
class ChangeProducts;
}

// The window "增删改": the open order's package, removed and added products in three tables, with the order's
// information and payments at its left. Every change (taking a package product out, restoring it, deleting an added
// product, a remark, a service count) is posted at once; after an accepted removal or restoration, and whenever an add
// window or replacement dialog reports back, the three lists are loaded again from the back end and the tables
// rebuilt. The window keeps no change of its own besides the text of an edited remark cell.
//
// "确认" emits changeAllProducts() once, with the package and added products, and closes the window; closing it
// otherwise emits nothing. The photo names of every product deleted or restored here collect in
// ProductData::m_changedPhotos (emptied when the window is built).
//
// One removal, restoration or deletion is on its way at a time, until the reload after it has been answered; the
// others are ignored meanwhile. The opener sets delete-on-close. It owns the add window opened last. GUI thread only.
class ChangeProducts : public QWidget
{
    Q_OBJECT
public:
    // One payment record of the order, as "payfor" lists it.
    struct PayInfoModelStu
    {
        QString type;
        QString paymentname;
        QString payfor;
        QString paytype;
        QString createtime;
        QString servicetimes;
    };

    explicit ChangeProducts(QWidget* parent = nullptr);
    ~ChangeProducts() override;

    // Loads the three lists again (after an add window or replacement dialog has reported back).
    void on_newProducts();
    // A service count chosen in a service-count chooser: the sender's "tbRow" names the package table row.
    void servNumChgAction(QString num);
    // The text confirmed in the remark editor, for the added product that the editor was opened on.
    void prodNewMarkAction(QString text);
    // Writes the clicked package table cell to the debug console.
    void changeServNumAction(int row, int column);

    void addPostData();
    void postDataFunc(QByteArray& body);
    void postDelOriProdFunc();
    void postRecoverDelProdFunc();
    void postDelNewProdFunc();
    void refreshTable();

signals:
    void changeAllProducts(QList<Product> all_Product);

private slots:
    void on_tableWidget_itemClicked(QTableWidgetItem* item);
    void on_tableWidget_del_itemClicked(QTableWidgetItem* item);
    void on_tableWidget_new_itemClicked(QTableWidgetItem* item);
    void on_newItemButton_clicked();
    void on_confirmButton_clicked();

private:
    void queryCallBack(const BackendReply& reply);
    void queryChangeProdCallBack(const BackendReply& reply);
    void replyChgServNum(QJsonObject reply);
    void replyAddNewMark(QJsonObject reply);
    void postChange(const QString& url, const QByteArray& body);
    void openReplacement(const Product& product);
    void openRemarkEditor(int row, int column);
    void setActionCells(int row, bool isActionable);

    // The order information and payments at the window's left.
    void initLeftFrame();
    void initOrderInfo();
    void httpOrderPayInfo();
    void replyOrderPay(QJsonObject reply);
    void refreshPayTable();

    QPointer<AddNewProducts> m_addWindow;
    Ui::ChangeProducts* ui;
    QList<Product> m_packageProducts;
    QList<Product> m_removedProducts;
    QList<Product> m_addedProducts;
    QList<Product> m_confirmedProducts;
    QStringList m_serviceTimes;
    QString m_deletedPackageId;
    QString m_restoredId;
    QString m_deletedAddedId;
    int m_packageRow = -1;
    int m_removedRow = -1;
    int m_addedRow = -1;
    // The remark editor opened last and what it edits: the product's entry id is taken when it opens, since the
    // added table may be rebuilt by a reload while it is open.
    QPointer<ProductRequirement> m_remarkEditor;
    int m_remarkRow = -1;
    int m_remarkColumn = -1;
    QString m_remarkProductId;
    // A removal, restoration or deletion is on its way, or the reload after it.
    bool m_isChanging = false;
    bool m_isConfirmed = false;

    QGridLayout* m_infoGrid = nullptr;
    QList<PayInfoModelStu> m_payments;
    QFrame* m_infoFrame = nullptr;
    QLabel* m_infoTitle = nullptr;
    QTableWidget* m_payTable = nullptr;
    QLabel* m_payTitle = nullptr;
    QVBoxLayout* m_leftLayout = nullptr;
    // The value label of each field shown, in grid order; named after the field it shows.
    QVector<QLabel*> m_infoValues;
};

#endif // CHANGEPRODUCTS_H
