#ifndef SETTINGDIALOG_H
#define SETTINGDIALOG_H

#include <QByteArray>
#include <QDialog>

struct BackendReply;

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
    void queryPicPathCallBack(const BackendReply& reply);
    // newPath becomes the server root once the back end has stored it.
    void queryPostCallBack(const BackendReply& reply, const QString& newPath);

private:
    void addPostData();
    void postDataFunc(QByteArray& body);
    void postPicPathFunc();

    Ui::SettingDialog* ui;
};

#endif // SETTINGDIALOG_H
