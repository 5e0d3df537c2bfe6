#include "delivery/setexpressaddress.h"
#include "ui_setexpressaddress.h"

#include "core/backendreply.h"

SetExpressAddress::SetExpressAddress(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SetExpressAddress)
{
    ui->setupUi(this);
}

SetExpressAddress::~SetExpressAddress()
{
    delete ui;
}

void SetExpressAddress::setData()
{
}
void SetExpressAddress::on_pb_addexp_clicked()
{
}
void SetExpressAddress::on_pb_submit_clicked()
{
}
void SetExpressAddress::setAddressDefaultCallBack(QJsonObject)
{
}
void SetExpressAddress::tabSelectRow(const QModelIndex&)
{
}
void SetExpressAddress::netErrorInfo(QString)
{
}
void SetExpressAddress::setProExpAddress(QJsonObject)
{
}
void SetExpressAddress::deleteAddressCallBack(QJsonObject)
{
}
void SetExpressAddress::refreshExpData()
{
}
void SetExpressAddress::getProvinceCallBack(const BackendReply&)
{
}
void SetExpressAddress::initData()
{
}
void SetExpressAddress::setTabHeader()
{
}
void SetExpressAddress::getProvinceInfo()
{
}
void SetExpressAddress::refreshExpList()
{
}
void SetExpressAddress::setAddressDefault()
{
}
void SetExpressAddress::setChosenColumn()
{
}
void SetExpressAddress::watchSubmission(HttpRequest*)
{
}
int SetExpressAddress::rowOfId(const QString&) const
{
    return -1;
}
