#include "delivery/settingemsdialog.h"
#include "ui_settingemsdialog.h"

#include "core/backendreply.h"

SettingEMSDialog::SettingEMSDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SettingEMSDialog)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("快递信息"));
}

SettingEMSDialog::~SettingEMSDialog()
{
    delete ui;
}

void SettingEMSDialog::setData()
{
}
void SettingEMSDialog::on_confirmButton_clicked()
{
}
void SettingEMSDialog::selectProvAction(QString)
{
}
void SettingEMSDialog::selectCityAction(QString)
{
}
void SettingEMSDialog::httpCityInfo(QJsonObject)
{
}
void SettingEMSDialog::httpRegionInfo(QJsonObject)
{
}
void SettingEMSDialog::phoneLineQEditfocusOutEvent()
{
}
void SettingEMSDialog::getCitys()
{
}
void SettingEMSDialog::getDistricts()
{
}
void SettingEMSDialog::queryInfoCallBack(const BackendReply&)
{
}
void SettingEMSDialog::queryPostInfoCallBack(const BackendReply&)
{
}
void SettingEMSDialog::getPhoneExpressInfo(const BackendReply&)
{
}
void SettingEMSDialog::postQueryInfo()
{
}
void SettingEMSDialog::initUI()
{
}
void SettingEMSDialog::postInfo()
{
}
void SettingEMSDialog::getPhoneExpressInfoReq()
{
}
QByteArray SettingEMSDialog::orderFields() const
{
    return QByteArray();
}
