#include "delivery/settingemsdialog.h"
#include "ui_settingemsdialog.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "delivery/addressreply.h"
#include "delivery/deliverytable.h"

#include <QJsonValue>

namespace {

const QString NoChoice = QStringLiteral("请选择");

bool isSet(const QString& areaId)
{
    return !areaId.isEmpty() && areaId != QLatin1String("0");
}

// The id shown under name: the first in key order, empty when none (so for "请选择").
QString idOf(const QMap<QString, QString>& areas, const QString& name)
{
    for (auto it = areas.constBegin(); it != areas.constEnd(); ++it)
        if (it.value() == name)
            return it.key();
    return QString();
}

// Refills areas and combo ("请选择" first, then the names in reply order).
void fillAreas(QComboBox* combo, QMap<QString, QString>& areas, const QList<AddressReply::Area>& list)
{
    areas.clear();
    combo->clear();
    combo->addItem(NoChoice);
    for (const AddressReply::Area& area : list) {
        areas.insert(area.first, area.second);
        combo->addItem(area.second);
    }
}

void fillAreas(QComboBox* combo, QMap<QString, QString>& areas, const QJsonValue& entries)
{
    fillAreas(combo, areas, AddressReply::areas(entries.toArray()));
}

void clearAreas(QComboBox* combo, QMap<QString, QString>& areas)
{
    fillAreas(combo, areas, QList<AddressReply::Area>());
}

} // namespace

SettingEMSDialog::SettingEMSDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SettingEMSDialog)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("快递信息"));
    postQueryInfo();
    connect(
        ui->lineEdit_photonumber, &QLineEdit::editingFinished, this, &SettingEMSDialog::phoneLineQEditfocusOutEvent);
    initUI();
}

SettingEMSDialog::~SettingEMSDialog()
{
    delete ui;
}

void SettingEMSDialog::initUI()
{
    for (QWidget* w : {static_cast<QWidget*>(ui->label_6), static_cast<QWidget*>(ui->label_7),
             static_cast<QWidget*>(ui->lineEdit_photonumber_2), static_cast<QWidget*>(ui->lineEdit_photonumber_3)})
        w->hide();
    ui->combProv->addItem(NoChoice);
    ui->combCity->addItem(NoChoice);
    ui->combRegi->addItem(NoChoice);
    connect(ui->combProv, &QComboBox::textActivated, this, &SettingEMSDialog::selectProvAction);
    connect(ui->combCity, &QComboBox::textActivated, this, &SettingEMSDialog::selectCityAction);
}

void SettingEMSDialog::setData()
{
    if (!id.isEmpty()) {
        ui->lineEdit_receiver->setText(name);
        ui->lineEdit_photonumber->setText(phone);
        ui->lineEdit_postcode->setText(postcode);
        ui->lineEdit_address->setText(address);
    }
    // The districts follow once the cities have been applied: the city reply empties the
    // district list, so a district list arriving first would lose the stored district.
    if (isSet(provinceid))
        getCitys();
    else if (isSet(cityid))
        getDistricts();
}

void SettingEMSDialog::postQueryInfo()
{
    BackendPost::post(Config::url_query_emsinfo, DeliveryTable::orderBody().toByteArray(), this,
        &SettingEMSDialog::queryInfoCallBack);
}

void SettingEMSDialog::queryInfoCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询快递信息错误：")))
        return;
    fillAreas(ui->combProv, provinceMap, reply.object.value(QLatin1String("provinces")));
    ui->combProv->setCurrentText(provinceMap.value(provinceid));
}

void SettingEMSDialog::selectProvAction(QString provName)
{
    provinceid = idOf(provinceMap, provName);
    cityid.clear();
    countyid.clear();
    // Lists still on their way belong to the province left behind.
    ++m_cityRequest;
    ++m_districtRequest;
    clearAreas(ui->combCity, cityMap);
    clearAreas(ui->combRegi, regionMap);
    if (!provinceid.isEmpty())
        getCitys();
}

void SettingEMSDialog::selectCityAction(QString cityName)
{
    cityid = idOf(cityMap, cityName);
    countyid.clear();
    ++m_districtRequest;
    clearAreas(ui->combRegi, regionMap);
    if (!cityid.isEmpty())
        getDistricts();
}

void SettingEMSDialog::getCitys()
{
    const int ticket = ++m_cityRequest;
    const QByteArray body = FormBody().add(QStringLiteral("provinceid"), provinceid).toByteArray();
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_query_addrCity, body, false);
    request->setParent(this); // a list for a closed form is of no use
    connect(request, &HttpRequest::netSuccessInfo, this, [this, ticket](QJsonObject obj) {
        if (ticket == m_cityRequest)
            httpCityInfo(obj);
    });
}

void SettingEMSDialog::getDistricts()
{
    const int ticket = ++m_districtRequest;
    const QByteArray body = FormBody().add(QStringLiteral("cityid"), cityid).toByteArray();
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_query_addrRegion, body, false);
    request->setParent(this); // a list for a closed form is of no use
    connect(request, &HttpRequest::netSuccessInfo, this, [this, ticket](QJsonObject obj) {
        if (ticket == m_districtRequest)
            httpRegionInfo(obj);
    });
}

void SettingEMSDialog::httpCityInfo(QJsonObject obj)
{
    if (!ReplyCheck::isAccepted(obj)) {
        ReplyCheck::warn(QStringLiteral("获取城市信息失败"));
        return;
    }
    fillAreas(ui->combCity, cityMap, obj.value(QLatin1String("data")));
    if (!cityid.isEmpty())
        ui->combCity->setCurrentText(cityMap.value(cityid));
    ++m_districtRequest;
    clearAreas(ui->combRegi, regionMap);
    if (isSet(cityid))
        getDistricts();
}

void SettingEMSDialog::httpRegionInfo(QJsonObject obj)
{
    if (!ReplyCheck::isAccepted(obj)) {
        ReplyCheck::warn(QStringLiteral("获取城市信息失败"));
        return;
    }
    fillAreas(ui->combRegi, regionMap, obj.value(QLatin1String("data")));
    if (!countyid.isEmpty())
        ui->combRegi->setCurrentText(regionMap.value(countyid));
}

void SettingEMSDialog::phoneLineQEditfocusOutEvent()
{
    if (!ui->lineEdit_photonumber->text().isEmpty())
        getPhoneExpressInfoReq();
}

void SettingEMSDialog::getPhoneExpressInfoReq()
{
    const QByteArray body
        = DeliveryTable::orderBody().add(QStringLiteral("phone"), ui->lineEdit_photonumber->text()).toByteArray();
    BackendPost::post(Config::url_phonegetexpressinfo, body, this, &SettingEMSDialog::getPhoneExpressInfo);
}

void SettingEMSDialog::getPhoneExpressInfo(const BackendReply& reply)
{
    // The lookup is a convenience: whatever goes wrong, the form stays as it is.
    if (!reply.isSuccess())
        return;
    const AddressReply::PhoneAddress found = AddressReply::phoneAddress(reply.object);
    ui->lineEdit_address->setText(found.address);
    provinceid = found.provinceid;
    cityid = found.cityid;
    countyid = found.countyid;
    // The lists come with the lookup; city or district lists still on their way are older.
    ++m_cityRequest;
    ++m_districtRequest;
    ui->combProv->setCurrentText(isSet(provinceid) ? found.provincename : NoChoice);
    // Refilled even when empty, so no name stays visible without its id.
    fillAreas(ui->combCity, cityMap, found.cities);
    fillAreas(ui->combRegi, regionMap, found.districts);
    ui->combCity->setCurrentText(isSet(cityid) ? found.cityname : NoChoice);
    ui->combRegi->setCurrentText(isSet(countyid) ? found.countyname : NoChoice);
}

void SettingEMSDialog::on_confirmButton_clicked()
{
    postInfo();
}

void SettingEMSDialog::postInfo()
{
    if (ui->lineEdit_receiver->text().isEmpty()) {
        ReplyCheck::warn(QStringLiteral("请填写收件人姓名!"));
        return;
    }
    if (ui->lineEdit_photonumber->text().isEmpty()) {
        ReplyCheck::warn(QStringLiteral(" 请填写收件人联系方式！"));
        return;
    }
    if (ui->combProv->currentIndex() == 0) {
        ReplyCheck::warn(QStringLiteral(" 请选择省！"));
        return;
    }
    if (ui->combCity->currentIndex() == 0) {
        ReplyCheck::warn(QStringLiteral(" 请选择市！"));
        return;
    }
    FormBody body = DeliveryTable::orderBody();
    body.add(QStringLiteral("name"), ui->lineEdit_receiver->text())
        .add(QStringLiteral("phone"), ui->lineEdit_photonumber->text())
        .add(QStringLiteral("postcode"), ui->lineEdit_postcode->text())
        .add(QStringLiteral("address"), ui->lineEdit_address->text())
        .add(QStringLiteral("mmail"), ui->lineEdit_photonumber_2->text())
        .add(QStringLiteral("wmail"), ui->lineEdit_photonumber_3->text())
        .add(QStringLiteral("provinceid"), idOf(provinceMap, ui->combProv->currentText()))
        .add(QStringLiteral("cityid"), idOf(cityMap, ui->combCity->currentText()))
        .add(QStringLiteral("countyid"), idOf(regionMap, ui->combRegi->currentText()));
    const bool isEdit = isSet(id);
    if (isEdit)
        body.add(QStringLiteral("id"), id).add(QStringLiteral("datatype"), QStringLiteral("1"));
    BackendPost::post(isEdit ? Config::url_exp_editpost : Config::url_exp_addpost, body.toByteArray(), this,
        &SettingEMSDialog::queryPostInfoCallBack);
}

void SettingEMSDialog::queryPostInfoCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("提交快递信息错误：")))
        return;
    emit submitsuccess();
    Prompt::about(nullptr, QString(), reply.message());
    close();
}
