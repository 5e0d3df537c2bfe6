#ifndef SEARCHORDER_H
#define SEARCHORDER_H

#include "order/order.h"

#include <QByteArray>
#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QModelIndex>
#include <QString>
#include <QStringList>

class QStandardItemModel;
struct BackendReply;
namespace Ui {
class SearchOrder;
}

// The window in which staff pick the shop and find the orders to work on. Every search
// first posts the shop switch, whose reply refreshes the user's settings; the search then
// continues with the order query of the chosen search type.
class SearchOrder : public QDialog
{
    Q_OBJECT
public:
    explicit SearchOrder(QWidget* parent = nullptr);
    ~SearchOrder() override;

    // Handed to the workspace when an order opens and back when it re-creates this window.
    QList<order> orderList;
    QStringList shopNames;
    QStringList shopIds;
    QByteArray lastQueryBody;
    bool isReload;

    void queryOrderByOrderId(QString text);
    void queryOrderByPhotoDate(QString date);
    void queryOrderBySelectPhotoDate(QString date);
    void queryOrderByAppointmentDate(QString date);
    void queryOrderByFetchPhotoDate(QString date);
    void queryOrderByName(QString text);
    void queryOrderByPhotoNumber(QString text);
    void postDataFunc(QByteArray& body);
    void ReloadTableView();
    void refreshOrderList();
    void req_syncToN8Path();
    // Posts the lock change of one order: locked unlocks it, unlocked locks it.
    void postQueryOrderDoLock(bool isLocked, QString orderPhotoId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    void clickCancel();
    void clickSearch();
    void queryCallBack(const BackendReply& reply);
    void queryPersonCallBack(const BackendReply& reply);
    void on_selectPathButton_clicked();
    void calenderAction();
    void on_comboBox_shops_currentIndexChanged(int index);
    void on_comboBox_currentIndexChanged(int index);
    void on_comboBox_activated(int index);
    void on_comboBox_editTextChanged(const QString& text);
    void on_comboBox_highlighted(int index);
    void on_comboBox_shops_activated(int index);
    void on_pb_n8sync_clicked();
    void query_storesn8paths(const BackendReply& reply);
    void slt_n8stores(QJsonArray storeables, QString msg);
    void selectRowR(const QModelIndex& index);
    void queryLockedInfoCallBack(const BackendReply& reply);
    void on_tableView_doubleClicked(const QModelIndex& index);

private:
    void continueSearch();
    // The shop switch's reply: the user's identity, switches and sort settings into Config.
    static void storeUserSettings(const QJsonObject& root);
    // The reply's "shortkey" entries into Config::shotCutKey.
    static void fillShortcutTable(const QJsonObject& shortkey);
    void setSearchBusy(bool busy);
    bool hasShop() const;
    void warnNoShop();
    QStandardItemModel* makeModel(bool comboName, bool comboPrice);

    Ui::SearchOrder* ui;
    QStandardItemModel* model;
    QString localOrderPath;
    QJsonObject lastReply;
    bool isSyncing;
    // An order has been opened from this window, which is on its way out: late results
    // of its requests and of the N8 check must not open anything any more.
    bool isOrderOpened;
};

#endif // SEARCHORDER_H
