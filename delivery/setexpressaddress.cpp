#include "delivery/setexpressaddress.h"
#include "ui_setexpressaddress.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "delivery/addressreply.h"
#include "delivery/deliverytable.h"
#include "delivery/settingemsdialog.h"

#include <QStandardItemModel>

namespace {

const char* const DefaultTitle = "设为默认";
const int ChosenColumn = 0;
const int DefaultColumn = 1;

QString value(const QMap<QString, QString>& row, const char* key)
{
    return row.value(QLatin1String(key));
}

bool isOne(const QMap<QString, QString>& row, const char* key)
{
    return value(row, key) == QLatin1String("1");
}

QStandardItem* linkItem(const QString& caption, bool isShown)
{
    auto* item = new QStandardItem(isShown ? caption : QString());
    item->setTextAlignment(Qt::AlignCenter);
    item->setForeground(QColor(30, 144, 255));
    return item;
}

bool isSet(const QString& areaId)
{
    return !areaId.isEmpty() && areaId != QLatin1String("0");
}

} // namespace

SetExpressAddress::SetExpressAddress(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SetExpressAddress)
{
    ui->setupUi(this);
    initData();
}

SetExpressAddress::~SetExpressAddress()
{
    delete ui;
}

void SetExpressAddress::initData()
{
    isSubmitting = false;
    setTabHeader();
    getProvinceInfo();
}

void SetExpressAddress::setTabHeader()
{
    tabHeaders = DeliveryTable::headers({{"选择", 40}, {DefaultTitle, 60}, {"收件人姓名", 150}, {"收件人电话", 150},
        {"邮编", 150}, {"地址", 200}, {"编辑", 100}, {"删除", 100}});
    model = new QStandardItemModel(this);
    DeliveryTable::setUp(ui->tableView, model, tabHeaders);
    connect(ui->tableView, &QTableView::clicked, this, &SetExpressAddress::tabSelectRow);
}

void SetExpressAddress::setData()
{
    // Product names are the studio's own text: shown as text, never as markup.
    ui->lb_title->setText(QStringLiteral("<html><head/><body><p>为 <span style=\" color:#ff0000;\">%1</span>，"
                                         "选择快递信息。</p></body></html>")
                              .arg(productNames.join(QLatin1Char(',')).toHtmlEscaped()));
    ui->lb_title->setWordWrap(true);
}

void SetExpressAddress::getProvinceInfo()
{
    const FormBody body = DeliveryTable::orderBody();
    qCDebug(lcDelivery).noquote() << "req province url:" << Config::url_query_emsinfo;
    qCDebug(lcDelivery).noquote() << "req province paras:" << body.toLogString();
    BackendPost::post(Config::url_query_emsinfo, body.toByteArray(), this, &SetExpressAddress::getProvinceCallBack);
}

void SetExpressAddress::refreshExpData()
{
    getProvinceInfo();
}

int SetExpressAddress::rowOfId(const QString& addressId) const
{
    if (addressId.isEmpty())
        return -1;
    for (int i = 0; i < addressList.size(); ++i)
        if (value(addressList.at(i), "id") == addressId)
            return i;
    return -1;
}

void SetExpressAddress::getProvinceCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询快递信息错误：")))
        return;
    addressList = AddressReply::addressRows(reply.object);

    // The chosen address is the same address after a reload, wherever its row now is; a
    // deleted one leaves no choice rather than whatever address took its row.
    const bool hadChoice = !m_selectedId.isEmpty();
    selectedRow = rowOfId(m_selectedId);
    defaultRow = rowOfId(m_defaultId);
    if (!hadChoice) {
        for (int i = 0; i < addressList.size() && selectedRow == -1; ++i)
            if (isOne(addressList.at(i), "ison"))
                selectedRow = i;
    }
    m_selectedId = selectedRow >= 0 ? value(addressList.at(selectedRow), "id") : QString();
    refreshExpList();
}

void SetExpressAddress::refreshExpList()
{
    model->removeRows(0, model->rowCount());
    for (int i = 0; i < addressList.size(); ++i) {
        const QMap<QString, QString>& row = addressList.at(i);
        const bool isUnused = value(row, "is_use") == QLatin1String("0");
        model->setItem(i, DefaultColumn, DeliveryTable::checkItem(isOne(row, "ison")));
        model->setItem(i, 2, new QStandardItem(value(row, "name")));
        model->setItem(i, 3, new QStandardItem(value(row, "phone")));
        model->setItem(i, 4, new QStandardItem(value(row, "postcode")));
        model->setItem(i, 5,
            new QStandardItem(
                QStringLiteral("%1%2%3%4")
                    .arg(value(row, "province"), value(row, "city"), value(row, "county"), value(row, "address"))));
        model->setItem(i, 6, linkItem(QStringLiteral("编辑"), isUnused));
        model->setItem(i, 7, linkItem(QStringLiteral("删除"), isUnused));
    }
    setChosenColumn();
}

// Exactly the chosen row is ticked: the tick is what 确定 assigns.
void SetExpressAddress::setChosenColumn()
{
    for (int i = 0; i < addressList.size(); ++i)
        model->setItem(i, ChosenColumn, DeliveryTable::checkItem(i == selectedRow));
}

void SetExpressAddress::tabSelectRow(const QModelIndex& index)
{
    if (isSubmitting) {
        DeliveryTable::inform(QStringLiteral("温馨提示"), QStringLiteral("正在提交数据，请稍后..."));
        return;
    }
    const int row = index.row();
    if (row < 0 || row >= addressList.size() || index.column() < 0 || index.column() >= tabHeaders.size())
        return;
    const QString title = tabHeaders.at(index.column()).value(QStringLiteral("title"));
    const QMap<QString, QString>& address = addressList.at(row);
    const QString addressId = value(address, "id");
    const bool isUnused = value(address, "is_use") == QLatin1String("0");

    if (title == QString::fromUtf8(DefaultTitle)) {
        defaultRow = row;
        m_defaultId = addressId;
        isSubmitting = true;
        setAddressDefault();
        return;
    }
    selectedRow = row;
    m_selectedId = addressId;
    setChosenColumn();
    if (title == QStringLiteral("编辑") && isUnused) {
        auto* form = new SettingEMSDialog(nullptr);
        connect(form, &SettingEMSDialog::submitsuccess, this, &SetExpressAddress::refreshExpData);
        form->id = addressId;
        form->name = value(address, "name");
        form->phone = value(address, "phone");
        form->postcode = value(address, "postcode");
        form->address = value(address, "address");
        for (auto field : {std::make_pair(&SettingEMSDialog::provinceid, "provinceid"),
                 std::make_pair(&SettingEMSDialog::cityid, "cityid"),
                 std::make_pair(&SettingEMSDialog::countyid, "countyid")})
            if (isSet(value(address, field.second)))
                form->*field.first = value(address, field.second);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->setModal(true);
        form->show();
        form->setData();
    } else if (title == QStringLiteral("删除") && isUnused) {
        const QByteArray body = FormBody::withToken()
                                    .add(QStringLiteral("id"), addressId)
                                    .add(QStringLiteral("order_photo_id"), Config::order_id)
                                    .add(QStringLiteral("shopid"), Config::shop_id)
                                    .add(QStringLiteral("companyid"), Config::super_id)
                                    .toByteArray();
        HttpRequest* request = HttpRequest::startNetRequest(Config::url_exp_deletepost, body, false);
        connect(request, &HttpRequest::netSuccessInfo, this, &SetExpressAddress::deleteAddressCallBack);
    }
}

// Set default and assignment keep isSubmitting until their request ends, however it ends:
// a reply that is no JSON object makes the request emit nothing at all.
void SetExpressAddress::watchSubmission(HttpRequest* request)
{
    m_submission = request;
    connect(request, &HttpRequest::netErrorInfo, this, &SetExpressAddress::netErrorInfo);
    connect(request, &QObject::destroyed, this, [this, request] {
        if (m_submission == request) {
            m_submission = nullptr;
            isSubmitting = false;
        }
    });
}

void SetExpressAddress::netErrorInfo(QString errStr)
{
    Q_UNUSED(errStr)
    m_submission = nullptr;
    isSubmitting = false;
}

void SetExpressAddress::setAddressDefault()
{
    const QByteArray body = DeliveryTable::orderWriteBody().add(QStringLiteral("id"), m_defaultId).toByteArray();
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_exp_defaultpost, body, false);
    connect(request, &HttpRequest::netSuccessInfo, this, &SetExpressAddress::setAddressDefaultCallBack);
    watchSubmission(request);
}

void SetExpressAddress::setAddressDefaultCallBack(QJsonObject obj)
{
    m_submission = nullptr;
    isSubmitting = false;
    if (!ReplyCheck::acceptOrWarn(obj))
        return;
    defaultRow = rowOfId(m_defaultId);
    for (int i = 0; i < addressList.size(); ++i) {
        const bool isDefault = i == defaultRow;
        addressList[i].insert(QStringLiteral("ison"), isDefault ? QStringLiteral("1") : QStringLiteral("0"));
        model->setItem(i, DefaultColumn, DeliveryTable::checkItem(isDefault));
    }
    Prompt::about(nullptr, QStringLiteral("温馨提示"), ReplyCheck::message(obj));
}

void SetExpressAddress::deleteAddressCallBack(QJsonObject obj)
{
    if (!ReplyCheck::acceptOrWarn(obj))
        return;
    getProvinceInfo();
    Prompt::about(nullptr, QStringLiteral("温馨提示"), ReplyCheck::message(obj));
}

void SetExpressAddress::on_pb_addexp_clicked()
{
    auto* form = new SettingEMSDialog(nullptr);
    connect(form, &SettingEMSDialog::submitsuccess, this, &SetExpressAddress::refreshExpData);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setModal(true);
    form->show();
}

void SetExpressAddress::on_pb_submit_clicked()
{
    if (selectedRow < 0 || selectedRow >= addressList.size()) {
        ReplyCheck::warn(QStringLiteral("请选择快递信息"));
        return;
    }
    if (isSubmitting) {
        ReplyCheck::warn(QStringLiteral("提交中，请勿重复提交..."));
        return;
    }
    isSubmitting = true;
    const FormBody body = DeliveryTable::orderWriteBody()
                              .add(QStringLiteral("order_address_id"), value(addressList.at(selectedRow), "id"))
                              .add(QStringLiteral("ordergoodsids"), orderGoodsIds.join(QLatin1Char(',')));
    qCDebug(lcDelivery).noquote() << "为产品添加地址提交 Url:" << Config::url_exp_proaddexppost;
    qCDebug(lcDelivery).noquote() << "为产品添加地址提交 city Paras:" << body.toLogString();
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_exp_proaddexppost, body.toByteArray(), false);
    connect(request, &HttpRequest::netSuccessInfo, this, &SetExpressAddress::setProExpAddress);
    watchSubmission(request);
}

void SetExpressAddress::setProExpAddress(QJsonObject obj)
{
    m_submission = nullptr;
    isSubmitting = false;
    if (!ReplyCheck::acceptOrWarn(obj))
        return;
    Prompt::about(nullptr, QStringLiteral("温馨提示"), ReplyCheck::message(obj));
    getProvinceInfo();
    emit emit_reloadpro();
}
