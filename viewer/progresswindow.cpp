#include "viewer/progresswindow.h"
#include "ui_progresswindow.h"

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ProgressWindow)
{
    ui->setupUi(this);
    Qt::WindowFlags flags = windowFlags();
    flags &= ~Qt::WindowCloseButtonHint;
    flags &= ~Qt::WindowContextHelpButtonHint;
    flags |= Qt::MSWindowsFixedSizeDialogHint;
    setWindowFlags(flags);
    setWindowTitle(QStringLiteral("正在更新照片..."));
    setValue(0, 0);
}

ProgressWindow::~ProgressWindow()
{
    delete ui;
}

void ProgressWindow::setValue(int maximum, int value)
{
    ui->progressBar->setMaximum(maximum);
    ui->progressBar->setValue(value);
    ui->label->setText(QString::number(value) + QLatin1Char('/') + QString::number(maximum));
    if (value == ui->progressBar->maximum())
        hide();
}
