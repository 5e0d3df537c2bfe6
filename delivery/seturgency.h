#ifndef SETURGENCY_H
#define SETURGENCY_H

#include "Calendar/shoptimefield.h"
#include "Calendar/timeschedule.h"
#include "photostore/product.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

struct BackendReply;
class QShortcut;
class QTableWidgetItem;
class ScheduleDialog;
namespace Ui {
class SetUrgency;
}

// The window "设置加急": marks products of the open order urgent, picks the urgent day and
// period on the urgent schedule board and posts both.
//
// It works on a product list of its own: the order's "ordergoods0" products once they come,
// until then (and when the order has none) a copy of ProductData::m_products. The shared list
// belongs to the products panel, which stays usable beside this window, and is never written
// here; the panel reloads on refreshOriTable(), emitted on every close. The urgent day and
// period go into ProductData only once the back end has accepted them.
//
// Opened without modality and without a parent; the opener sets Qt::WA_DeleteOnClose. The
// board it opens is closed with it. GUI thread only.
class SetUrgency : public QWidget
{
    Q_OBJECT
public:
    explicit SetUrgency(QWidget* parent = nullptr);
    ~SetUrgency() override;

    void queryProducts();
    void postQueryOrderInfo();
    void refreshTable(QList<Product> list);
    // 0: no product urgent, 1: every product urgent, 2: some; rebuilds the urgent id list.
    int urgencyState();

signals:
    void refreshOriTable();

public slots:
    void on_pushButton_clicked();
    void selJiajiSchedule(TimeSchedule schedule);
    void on_allUrgencyButton_clicked();
    void on_tableWidget_itemClicked(QTableWidgetItem* item);
    void on_confirmButton_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void queryCallBack(const BackendReply& reply);
    void queryOrderInfoCallBack(const BackendReply& reply);
    void queryPostUrgencyCallBack(const BackendReply& reply);
    void showSchedule();
    void setUrgencyCaption(int state);
    void endPosting();

    Ui::SetUrgency* ui;
    QList<Product> m_products;
    QString m_urgentIds;
    TimeSchedule m_schedule;
    // What the post on its way sends, written to ProductData once it is accepted.
    TimeSchedule m_postedSchedule;
    QList<shoptimefield> m_timeFields;
    QPointer<ScheduleDialog> m_board;
    QShortcut* m_returnShortcut;
};

#endif // SETURGENCY_H
