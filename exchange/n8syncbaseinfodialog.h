#ifndef N8SYNCBASEINFODIALOG_H
#define N8SYNCBASEINFODIALOG_H

#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

struct BackendReply;
class N8thread;

namespace Ui {
class N8SyncBaseInfoDialog;
}

// The dialog that puts the shop's staff or product list into the N8 folders of the
// reachable stores. The creator sets shopid and stores before showing it. It asks the back
// end for the list and hands it to an N8thread, one worker per job, whose reports it follows
// on the GUI thread. Cancel withdraws the request under way and stops the worker; closing
// waits for a running worker to stop (at most one store's write).
class N8SyncBaseInfoDialog : public QDialog
{
    Q_OBJECT
public:
    explicit N8SyncBaseInfoDialog(QWidget* parent = nullptr);
    ~N8SyncBaseInfoDialog() override;

    QString shopid;
    QJsonArray stores;

    void req_datas();

private slots:
    void on_pb_syncpeo_clicked();
    void on_pb_syncpro_clicked();
    void on_pb_retry_clicked();
    void on_pb_cancel_clicked();
    void slt_threademit(QJsonObject objc);

private:
    void query_shopdatas(const BackendReply& reply);
    void requestFailed(const QString& label);
    // Stops the current worker and puts a fresh idle one in its place.
    void replaceWorker();
    void showIdle();
    QString closingText(const QJsonObject& lastReport) const;

    int kind = 0; // 0 staff, 1 products
    QString lastError;
    N8thread* worker = nullptr;
    bool busy = false;
    Ui::N8SyncBaseInfoDialog* ui;
};

#endif // N8SYNCBASEINFODIALOG_H
