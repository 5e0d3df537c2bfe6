#include "app/settingdialog.h"
#include "ui_settingdialog.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"
#include "photostore/dirserver.h"

#include <QDebug>
#include <QJsonObject>

namespace {

FormBody shopBody()
{
    FormBody body = FormBody::withToken();
    body.add(QStringLiteral("shopid"), Config::shop_id);
    body.add(QStringLiteral("MANAGER_ID"), Config::manager_id);
    body.add(QStringLiteral("GROUP_ID"), Config::group_id);
    return body;
}

// True when the back end accepted the request. A network error or a refusal shows its box;
// a reply that is no JSON object is dropped silently.
bool backendAccepted(const BackendReply& reply, const QString& refusalPrefix)
{
    if (reply.isNetworkError())
        BackendPost::showNetworkError(reply, true);
    if (!reply.isObject())
        return false;
    if (reply.isSuccess())
        return true;
    Prompt::information(nullptr, QStringLiteral("警告"), refusalPrefix + reply.message());
    return false;
}

} // namespace

SettingDialog::SettingDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SettingDialog)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("设置"));
    addPostData();
}

SettingDialog::~SettingDialog()
{
    delete ui;
}

void SettingDialog::addPostData()
{
    QByteArray body = shopBody().toByteArray();
    postDataFunc(body);
}

void SettingDialog::postDataFunc(QByteArray& body)
{
    BackendPost::post(Config::url_query_picpath, body, this, &SettingDialog::queryPicPathCallBack);
}

void SettingDialog::queryPicPathCallBack(const BackendReply& reply)
{
    if (!backendAccepted(reply, QStringLiteral("查询服务器路径错误：")))
        return;
    const QString picPath = reply.object.value(QStringLiteral("picpath")).toString();
    DirServer::setServerPath(picPath);
    ui->lineEdit_originalServerDir->setText(picPath);
}

void SettingDialog::on_pushButton_Ok_clicked()
{
    if (ui->lineEdit_newServerDir->text().isEmpty()) {
        Prompt::information(this, QStringLiteral("提示"), QStringLiteral("请填写新的服务器路径"));
        return;
    }
    postPicPathFunc();
}

void SettingDialog::postPicPathFunc()
{
    const QString newPath = ui->lineEdit_newServerDir->text();
    const QByteArray body = shopBody().add(QStringLiteral("picpath"), newPath).toByteArray();
    BackendPost::post(Config::url_post_picpath, body, this,
        [this, newPath](const BackendReply& reply) { queryPostCallBack(reply, newPath); });
}

void SettingDialog::queryPostCallBack(const BackendReply& reply, const QString& newPath)
{
    if (!backendAccepted(reply, QStringLiteral("提交服务器路径错误：")))
        return;
    DirServer::setServerPath(newPath);
    close();
}

void SettingDialog::on_pushButton_Cancel_clicked()
{
    close();
}
