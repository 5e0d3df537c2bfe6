#ifndef REPLACEOLDPRODUCT_H
#define REPLACEOLDPRODUCT_H

#include "photostore/product.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>

struct BackendReply;
class QShortcut;
namespace Ui {
class ReplaceOldProduct;
}

// The dialog "替换产品": finds catalogue products by name or number and puts the chosen one in
// the place of the order entry whose id the opener wrote into ProductData::oid.
//
// It posts nothing until the operator searches. One replacement is on its way at a time: "提交"
// does nothing until its reply has come. refreshNewProducts() is emitted only once the back end
// has accepted a replacement, just before the dialog closes. The opener sets modality and
// delete-on-close. GUI thread only.
class ReplaceOldProduct : public QDialog
{
    Q_OBJECT
public:
    explicit ReplaceOldProduct(QWidget* parent = nullptr);
    ~ReplaceOldProduct() override;

    void postDataFunc(QByteArray& body);
    QByteArray submitPostData(QString& goodId);
    void submitpostDataFunc(QByteArray& body);
    void refreshTable();

signals:
    void refreshNewProducts();

public slots:
    void clickSearch();
    void clickSubmit();

private:
    void queryCallBack(const BackendReply& reply);
    void submitQueryCallBack(const BackendReply& reply);

    Ui::ReplaceOldProduct* ui;
    QList<Product> products;
    // A replacement is on its way: "提交" waits for its reply.
    bool m_isReplacing = false;
    QShortcut* m_returnShortcut;
};

#endif // REPLACEOLDPRODUCT_H
