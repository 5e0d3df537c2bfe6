#ifndef SETTINGZHANGSHU_H
#define SETTINGZHANGSHU_H

#include "products/countdialog.h"

namespace Ui {
class SettingZhangshu;
}

// Asks for a product's sheet count.
class SettingZhangshu : public CountDialog
{
    Q_OBJECT
public:
    explicit SettingZhangshu(QWidget* parent = nullptr);
    ~SettingZhangshu() override;

signals:
    void sendZhangshu(QString zhangshu);

private slots:
    void on_pushButton_clicked();

private:
    Ui::SettingZhangshu* ui;
};

#endif // SETTINGZHANGSHU_H
