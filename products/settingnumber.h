#ifndef SETTINGNUMBER_H
#define SETTINGNUMBER_H

#include "products/countdialog.h"

namespace Ui {
class SettingNumber;
}

// Asks for a product's quantity.
class SettingNumber : public CountDialog
{
    Q_OBJECT
public:
    explicit SettingNumber(QWidget* parent = nullptr);
    ~SettingNumber() override;

signals:
    void sendNumber(QString number);

private slots:
    void on_pushButton_clicked();

private:
    Ui::SettingNumber* ui;
};

#endif // SETTINGNUMBER_H
