#ifndef N8SYNCBASEINFODIALOG_H
#define N8SYNCBASEINFODIALOG_H

#include <QDialog>
#include <QJsonArray>
#include <QString>

namespace Ui {
class N8SyncBaseInfoDialog;
}

// The dialog that puts the shop's staff or product list into the N8 folders of the
// reachable stores. The creator sets shopid and stores before showing it.
class N8SyncBaseInfoDialog : public QDialog
{
    Q_OBJECT
public:
    explicit N8SyncBaseInfoDialog(QWidget* parent = nullptr);
    ~N8SyncBaseInfoDialog() override;

    QString shopid;
    QJsonArray stores;

private:
    Ui::N8SyncBaseInfoDialog* ui;
};

#endif // N8SYNCBASEINFODIALOG_H
