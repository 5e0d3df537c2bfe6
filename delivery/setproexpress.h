#ifndef SETPROEXPRESS_H
#define SETPROEXPRESS_H

#include "photostore/product.h"

#include <QDialog>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

struct BackendReply;
class QModelIndex;
class QStandardItemModel;
namespace Ui {
class SetProExpress;
}

// The dialog "设置产品快递地址": the open order's products with their way of delivery
// (express to an address, or self-pickup); the selected products are set to self-pickup here
// or get an express address in the order address list.
//
// Every load replaces ProductData::m_products and m_printProducts, keeping the operator's
// print and thumbnail choices of the products panel. Opened without a parent, with
// Qt::WA_DeleteOnClose, modal and without blocking. GUI thread only.
class SetProExpress : public QDialog
{
    Q_OBJECT
public:
    explicit SetProExpress(QWidget* parent = nullptr);
    ~SetProExpress() override;

public slots:
    void tabSelectRow(const QModelIndex& index);
    void on_pb_express_clicked();
    void slt_proReload();
    void on_pb_oneself_clicked();
    void setOneselfPickUpCallBack(QJsonObject obj);
    void on_pb_all_sel_clicked();
    void on_pb_cancel_allsel_clicked();

private:
    void queryProDatasCallBack(const BackendReply& reply);
    void initData();
    void initTabHeader();
    void getProDatas();
    void refreshTabData();
    void setChosen(int row, bool isChosen);
    bool isSelectable(int row) const;

    QStandardItemModel* model = nullptr;
    QList<QMap<QString, QString>> tabHeaders;
    // Row numbers as decimal text, in the order chosen.
    QList<QString> selectedRows;
    QList<Product> products;
    Ui::SetProExpress* ui;
};

#endif // SETPROEXPRESS_H
