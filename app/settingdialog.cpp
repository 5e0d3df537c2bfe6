#include "app/settingdialog.h"
#include "ui_settingdialog.h"

#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"
#include "photostore/dirserver.h"

#include <QDebug>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

const char kNewPath[] = "newServerPath";

FormBody shopBody()
{
    FormBody body = FormBody::withToken();
    body.add(QStringLiteral("shopid"), Config::shop_id);
    body.add(QStringLiteral("MANAGER_ID"), Config::manager_id);
    body.add(QStringLiteral("GROUP_ID"), Config::group_id);
    return body;
}

// True with the reply's object when the back end accepted the request. A network error
// or a refusal shows its box; a reply that is no JSON object is dropped silently.
bool backendAccepted(QNetworkReply* reply, const QString& refusalPrefix, QJsonObject* object)
{
    if (!HttpRequest::readObject(reply, object))
        return false;
    if (object->value(QStringLiteral("code")).toString() == QLatin1String("1"))
        return true;
    Prompt::information(nullptr, QStringLiteral("警告"),
        refusalPrefix + object->value(QStringLiteral("message")).toString());
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
    delete manager;
    delete ui;
}

void SettingDialog::addPostData()
{
    QByteArray body = shopBody().toByteArray();
    postDataFunc(body);
}

void SettingDialog::postDataFunc(QByteArray& body)
{
    manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &SettingDialog::queryPicPathCallBack);
    HttpRequest::post(manager, Config::url_query_picpath, body);
}

void SettingDialog::queryPicPathCallBack(QNetworkReply* reply)
{
    reply->deleteLater();
    QJsonObject object;
    if (!backendAccepted(reply, QStringLiteral("查询服务器路径错误："), &object))
        return;
    const QString picPath = object.value(QStringLiteral("picpath")).toString();
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
    manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &SettingDialog::queryPostCallBack);
    QNetworkReply* reply = HttpRequest::post(manager, Config::url_post_picpath, body);
    // The path becomes the server root only once the back end has stored it.
    reply->setProperty(kNewPath, newPath);
}

void SettingDialog::queryPostCallBack(QNetworkReply* reply)
{
    reply->deleteLater();
    QJsonObject object;
    if (!backendAccepted(reply, QStringLiteral("提交服务器路径错误："), &object))
        return;
    DirServer::setServerPath(reply->property(kNewPath).toString());
    close();
}

void SettingDialog::on_pushButton_Cancel_clicked()
{
    close();
}
