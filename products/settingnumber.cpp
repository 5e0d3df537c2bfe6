#include "products/settingnumber.h"
#include "ui_settingnumber.h"

#include <QShortcut>

SettingNumber::SettingNumber(QWidget* parent)
    : CountDialog(parent)
    , ui(new Ui::SettingNumber)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("数量"));
    setUpEntry(ui->lineEdit);
    auto* confirm = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(confirm, &QShortcut::activated, this, &SettingNumber::on_pushButton_clicked);
}

SettingNumber::~SettingNumber()
{
    delete ui;
}

void SettingNumber::on_pushButton_clicked()
{
    if (!hasEntry(ui->lineEdit, QStringLiteral("请输入数量")))
        return;
    emit sendNumber(ui->lineEdit->text());
    close();
}
