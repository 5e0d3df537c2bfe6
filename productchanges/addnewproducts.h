#ifndef ADDNEWPRODUCTS_H
#define ADDNEWPRODUCTS_H

#include "photostore/product.h"

#include <QByteArray>
#include <QList>
#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <QWidget>

struct BackendReply;
struct GoodType;
class QShortcut;
namespace Ui {
class AddNewProducts;
}

// The window "新增产品": searches the studio's catalogue by type and by name or number, 20
// products a page, and adds them one at a time to the open order.
//
// The constructor posts the first search (page 1, all types). At most one add is on its way at
// a time: the "添加" buttons do nothing until its reply has come, whatever that reply is.
// refreshNewProducts() is emitted on every close, so the opener reloads the order's products
// whether or not anything was added. The window sets neither modality nor delete-on-close;
// the opener decides. GUI thread only.
class AddNewProducts : public QWidget
{
    Q_OBJECT
public:
    explicit AddNewProducts(QWidget* parent = nullptr);
    ~AddNewProducts() override;

    void postDataFunc(QByteArray& body);
    QByteArray submitPostData(QString& ids);
    void submitpostDataFunc(QByteArray& body);
    void refreshTable();

signals:
    void refreshNewProducts();

public slots:
    void clickSearch();
    void clickSubmit();
    void typeItemClicked(const QModelIndex& index);
    void on_pb_firstpage_clicked();
    void on_pb_prepage_clicked();
    void on_pb_nextpage_clicked();
    void on_pb_lastpage_clicked();

public:
    // Connected by hand to each row's "添加" button; reads the button's "itemid" and "itemname".
    void on_addbutton_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void queryCallBack(const BackendReply& reply);
    void submitQueryCallBack(const BackendReply& reply);
    void fillTypeStrip(const QList<GoodType>& types);
    void clearTable();
    void searchPage(int page);
    int currentPage() const;

    Ui::AddNewProducts* ui;
    QList<Product> products;
    QStringList typeIds;
    QString goodTypeId;
    bool isStock = false;
    int totalPage = 0;
    QString addingName;
    // An add is on its way: further adds wait for its reply.
    bool m_isAdding = false;
    QShortcut* m_returnShortcut;
};

#endif // ADDNEWPRODUCTS_H
