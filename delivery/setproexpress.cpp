#include "delivery/setproexpress.h"
#include "ui_setproexpress.h"

#include "core/backendreply.h"

SetProExpress::SetProExpress(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SetProExpress)
{
    ui->setupUi(this);
}

SetProExpress::~SetProExpress()
{
    delete ui;
}

void SetProExpress::tabSelectRow(const QModelIndex&)
{
}
void SetProExpress::on_pb_express_clicked()
{
}
void SetProExpress::slt_proReload()
{
}
void SetProExpress::on_pb_oneself_clicked()
{
}
void SetProExpress::setOneselfPickUpCallBack(QJsonObject)
{
}
void SetProExpress::on_pb_all_sel_clicked()
{
}
void SetProExpress::on_pb_cancel_allsel_clicked()
{
}
void SetProExpress::queryProDatasCallBack(const BackendReply&)
{
}
void SetProExpress::initData()
{
}
void SetProExpress::initTabHeader()
{
}
void SetProExpress::getProDatas()
{
}
void SetProExpress::refreshTabData()
{
}
void SetProExpress::setChosen(int, bool)
{
}
bool SetProExpress::isSelectable(int) const
{
    return false;
}
