#include "exchange/n8syncbaseinfodialog.h"
#include "ui_n8syncbaseinfodialog.h"

N8SyncBaseInfoDialog::N8SyncBaseInfoDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::N8SyncBaseInfoDialog)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("同步员工/产品信息到N8系统"));
    ui->pb_retry->hide();
    ui->pb_cancel->hide();
    ui->progressBar->setMaximum(10);
}

N8SyncBaseInfoDialog::~N8SyncBaseInfoDialog()
{
    delete ui;
}
