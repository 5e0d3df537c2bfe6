#include "products/settingzhangshu.h"
#include "ui_settingzhangshu.h"

SettingZhangshu::SettingZhangshu(QWidget* parent)
    : CountDialog(parent)
    , ui(new Ui::SettingZhangshu)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("张数"));
    setUpEntry(ui->lineEdit);
}

SettingZhangshu::~SettingZhangshu()
{
    delete ui;
}

void SettingZhangshu::on_pushButton_clicked()
{
    if (!hasEntry(ui->lineEdit, QStringLiteral("请输入张数")))
        return;
    emit sendZhangshu(ui->lineEdit->text());
    close();
}
