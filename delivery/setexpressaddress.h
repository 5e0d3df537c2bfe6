#ifndef SETEXPRESSADDRESS_H
#define SETEXPRESSADDRESS_H

#include <QDialog>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct BackendReply;
class HttpRequest;
class QModelIndex;
class QStandardItemModel;
namespace Ui {
class SetExpressAddress;
}

// The dialog "选择快递": lists the open order's delivery addresses, makes one the default,
// adds, edits or deletes addresses no product uses yet, and assigns the chosen address to
// the products the opener names.
//
// The opener creates it without a parent, connects emit_reloadpro(), sets
// Qt::WA_DeleteOnClose, makes it modal, writes productNames and orderGoodsIds, shows it and
// calls setData(). It never closes itself. GUI thread only.
class SetExpressAddress : public QDialog
{
    Q_OBJECT
public:
    explicit SetExpressAddress(QWidget* parent = nullptr);
    ~SetExpressAddress() override;

    // The chosen products: names for the heading, order-goods row ids for the assignment.
    QStringList productNames;
    QStringList orderGoodsIds;

    void setData();

signals:
    // After the back end accepted an assignment.
    void emit_reloadpro();

public slots:
    void on_pb_addexp_clicked();
    void on_pb_submit_clicked();
    void setAddressDefaultCallBack(QJsonObject obj);
    void tabSelectRow(const QModelIndex& index);
    void netErrorInfo(QString errStr);
    void setProExpAddress(QJsonObject obj);
    void deleteAddressCallBack(QJsonObject obj);
    void refreshExpData();

private:
    void getProvinceCallBack(const BackendReply& reply);
    void initData();
    void setTabHeader();
    void getProvinceInfo();
    void refreshExpList();
    void setAddressDefault();
    void setChosenColumn();
    void watchSubmission(HttpRequest* request);
    int rowOfId(const QString& addressId) const;

    Ui::SetExpressAddress* ui;
    QStandardItemModel* model = nullptr;
    QList<QMap<QString, QString>> tabHeaders;
    QList<QMap<QString, QString>> addressList;
    bool isSubmitting = false;
    int selectedRow = -1;
    int defaultRow = -1;
    // The rows are found again by address id after every reload: row numbers change when
    // addresses are added or deleted.
    QString m_selectedId;
    QString m_defaultId;
    // The set-default or assignment request on its way; its end always ends isSubmitting.
    HttpRequest* m_submission = nullptr;
};

#endif // SETEXPRESSADDRESS_H
