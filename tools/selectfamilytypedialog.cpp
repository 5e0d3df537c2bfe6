#include "tools/selectfamilytypedialog.h"
#include "ui_selectfamilytypedialog.h"

SelectFamilyTypeDialog::SelectFamilyTypeDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SelectFamilyTypeDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

SelectFamilyTypeDialog::~SelectFamilyTypeDialog()
{
    delete ui;
}

void SelectFamilyTypeDialog::choose(int t)
{
    emit sendType(t);
    close();
}

void SelectFamilyTypeDialog::on_pushButton_clicked()
{
    choose(0);
}

void SelectFamilyTypeDialog::on_pushButton_2_clicked()
{
    choose(1);
}

void SelectFamilyTypeDialog::on_pushButton_3_clicked()
{
    choose(2);
}
