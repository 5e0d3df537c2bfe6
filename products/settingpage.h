#ifndef SETTINGPAGE_H
#define SETTINGPAGE_H

#include "products/countdialog.h"

#include <QString>

namespace Ui {
class SettingPage;
}

// Asks for a product's P number, or after setAddPageInfo() for its added P number.
class SettingPage : public CountDialog
{
    Q_OBJECT
public:
    explicit SettingPage(QWidget* parent = nullptr);
    ~SettingPage() override;

    // Switches to the added P number: title, empty-entry text and signal.
    void setAddPageInfo();

signals:
    void sendPage(QString page);
    void sendAddPage(QString page);

private slots:
    void on_pushButton_clicked();

private:
    Ui::SettingPage* ui;
    QString m_mode;
};

#endif // SETTINGPAGE_H
