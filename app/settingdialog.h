#ifndef SETTINGDIALOG_H
#define SETTINGDIALOG_H

#include <QByteArray>
#include <QDialog>

class QNetworkAccessManager;
class QNetworkReply;

namespace Ui {
class SettingDialog;
}

// Shows the shop's picture-server path as the back end stores it and stores a new one.
class SettingDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingDialog(QWidget* parent = nullptr);
    ~SettingDialog() override;

private slots:
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();
    void queryPicPathCallBack(QNetworkReply* reply);
    void queryPostCallBack(QNetworkReply* reply);

private:
    void addPostData();
    void postDataFunc(QByteArray& body);
    void postPicPathFunc();

    Ui::SettingDialog* ui;
    QNetworkAccessManager* manager = nullptr;
};

#endif // SETTINGDIALOG_H
