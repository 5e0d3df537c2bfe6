#include "delivery/setproexpress.h"
#include "ui_setproexpress.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "delivery/deliverytable.h"
#include "delivery/setexpressaddress.h"
#include "photostore/productdata.h"
#include "widgets/ordergoodsreply.h"

#include <QHash>
#include <QJsonArray>
#include <QStandardItemModel>

namespace {

const int ChosenColumn = 0;
const int PageColumn = 14;

struct Choices
{
    bool print = true;
    bool thumbnail = true;
};

// The products panel's print and thumbnail ticks are the operator's and live only in the
// shared list: a reload keeps them by product id; delivery and address come fresh.
void keepChoices(QList<Product>& fresh, const QList<Product>& previous)
{
    QHash<QString, Choices> choices;
    for (const Product& p : previous)
        if (!p.id.isEmpty())
            choices.insert(p.id, {p.print, p.thumbnail});
    for (Product& p : fresh) {
        const auto it = choices.constFind(p.id);
        if (it == choices.constEnd())
            continue;
        p.print = it->print;
        p.thumbnail = it->thumbnail;
    }
}

} // namespace

SetProExpress::SetProExpress(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SetProExpress)
{
    ui->setupUi(this);
    initData();
}

SetProExpress::~SetProExpress()
{
    delete ui;
}

void SetProExpress::initData()
{
    initTabHeader();
    getProDatas();
}

void SetProExpress::initTabHeader()
{
    tabHeaders = DeliveryTable::headers({{"选择", 40}, {"编号", 150}, {"名称", 150}, {"类别", 60}, {"工厂编号", 60},
        {"取件方式", 60}, {"收件人姓名", 100}, {"收件人电话", 100}, {"收件人邮编", 80}, {"收件人地址", 150},
        {"数量", 40}, {"库存", 40}, {"P数", 40}, {"加P数", 40}, {"张数", 40}, {"制作要求", 150}, {"加急", 40},
        {"发件", 40}, {"替换备注", 150}, {"授权备注(对外)", 150}});
    model = new QStandardItemModel(this);
    DeliveryTable::setUp(ui->tableView, model, tabHeaders);
    connect(ui->tableView, &QTableView::clicked, this, &SetProExpress::tabSelectRow);
}

void SetProExpress::getProDatas()
{
    const FormBody body = DeliveryTable::orderBody();
    qCDebug(lcDelivery).noquote() << "prod info url:" << Config::url_query_change_product;
    qCDebug(lcDelivery).noquote() << "prod info paras:" << body.toLogString();
    BackendPost::post(
        Config::url_query_change_product, body.toByteArray(), this, &SetProExpress::queryProDatasCallBack);
}

void SetProExpress::slt_proReload()
{
    getProDatas();
}

void SetProExpress::queryProDatasCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询产品信息错误：")))
        return;
    const QJsonObject order = reply.object.value(QLatin1String("order")).toObject();
    // Each package is followed by its sub-products, marked as such for the sheets.
    products = OrderGoodsReply::flattenGroup3(order.value(QLatin1String("ordergoods3")).toArray());
    keepChoices(products, ProductData::m_products);
    ProductData::m_products = products;
    ProductData::m_printProducts.clear();
    for (const Product& p : qAsConst(ProductData::m_products))
        if (p.print)
            ProductData::m_printProducts.append(p);
    refreshTabData();
}

void SetProExpress::refreshTabData()
{
    model->removeRows(0, model->rowCount());
    selectedRows.clear();
    for (int i = 0; i < products.size(); ++i) {
        const Product& p = products.at(i);
        const OrderAddress& a = p.orderaddress;
        const bool isAlbum = p.goodtypeid == QLatin1String("33");
        const auto ems = [&p](const QString& s) { return p.isems ? s : QString(); };
        const auto album = [isAlbum](const QString& s) { return isAlbum ? s : QString(); };
        const QString texts[] = {p.number,
            (p.isType4 ? QStringLiteral("选片产品--") : QString()) + p.goodname + QLatin1Char('(')
                + QString::number(p.pics.size()) + QLatin1Char(')'),
            p.goodtype, p.factorykeyx, p.isems ? QStringLiteral("快递") : QStringLiteral("自取"), ems(a.name),
            ems(a.phone), ems(a.postcode), ems(QStringLiteral("%1%2%3%4").arg(a.province, a.city, a.county, a.address)),
            p.goodamount, p.stock, album(p.goodpnumber), album(p.p_num), album(p.goodpagenumber), p.descr,
            p.isurgent == QLatin1String("0") ? QStringLiteral("否") : QStringLiteral("是"),
            p.sentToFactory ? QStringLiteral("是") : QStringLiteral("否"), p.source_remarks, p.auth_remark};
        model->setItem(i, ChosenColumn, DeliveryTable::checkItem(false));
        for (int c = 0; c < int(std::size(texts)); ++c)
            model->setItem(i, c + 1, new QStandardItem(texts[c]));
        if (p.isurgent != QLatin1String("0"))
            model->item(i, PageColumn)->setForeground(QColor(255, 0, 0));
        if (p.sentToFactory)
            model->item(i, 17)->setForeground(QColor(Qt::red));
    }
}

bool SetProExpress::isSelectable(int row) const
{
    return row >= 0 && row < products.size() && !products.at(row).sentToFactory;
}

void SetProExpress::setChosen(int row, bool isChosen)
{
    model->setItem(row, ChosenColumn, DeliveryTable::checkItem(isChosen));
}

void SetProExpress::tabSelectRow(const QModelIndex& index)
{
    const int row = index.row();
    if (!isSelectable(row))
        return;
    const QString key = QString::number(row);
    const bool isChosen = !selectedRows.contains(key);
    if (isChosen)
        selectedRows.append(key);
    else
        selectedRows.removeAll(key);
    setChosen(row, isChosen);
}

void SetProExpress::on_pb_all_sel_clicked()
{
    selectedRows.clear();
    for (int row = 0; row < products.size(); ++row) {
        if (!isSelectable(row))
            continue;
        setChosen(row, true);
        selectedRows.append(QString::number(row));
    }
}

void SetProExpress::on_pb_cancel_allsel_clicked()
{
    selectedRows.clear();
    for (int row = 0; row < products.size(); ++row)
        if (isSelectable(row))
            setChosen(row, false);
}

// The selected products in the order chosen; false (after the box) when there are none.
static bool chosenProducts(const QList<QString>& rows, const QList<Product>& products, QList<Product>& chosen)
{
    chosen.clear();
    for (const QString& row : rows) {
        const int i = row.toInt();
        if (i >= 0 && i < products.size())
            chosen.append(products.at(i));
    }
    if (!chosen.isEmpty())
        return true;
    DeliveryTable::inform(QStringLiteral("温馨提示"), QStringLiteral("请选择产品"));
    return false;
}

void SetProExpress::on_pb_express_clicked()
{
    QList<Product> chosen;
    if (!chosenProducts(selectedRows, products, chosen))
        return;
    QStringList names;
    QStringList ids;
    for (const Product& p : qAsConst(chosen)) {
        names << p.goodname;
        ids << p.id;
    }
    auto* list = new SetExpressAddress(nullptr);
    connect(list, &SetExpressAddress::emit_reloadpro, this, &SetProExpress::slt_proReload);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setModal(true);
    list->productNames = names;
    list->orderGoodsIds = ids;
    list->show();
    list->setData();
}

void SetProExpress::on_pb_oneself_clicked()
{
    // With nothing selected there is nothing to post: what the back end would make of an
    // empty id list is unknown.
    QList<Product> chosen;
    if (!chosenProducts(selectedRows, products, chosen))
        return;
    QStringList ids;
    for (const Product& p : qAsConst(chosen))
        ids << p.id;
    const QByteArray body = DeliveryTable::orderWriteBody()
                                .add(QStringLiteral("ordergoodsids"), ids.join(QLatin1Char(',')))
                                .toByteArray();
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_exp_oneselfpickuppost, body, false);
    connect(request, &HttpRequest::netSuccessInfo, this, &SetProExpress::setOneselfPickUpCallBack);
}

void SetProExpress::setOneselfPickUpCallBack(QJsonObject obj)
{
    if (!ReplyCheck::acceptOrWarn(obj))
        return;
    Prompt::about(nullptr, QStringLiteral("成功"), ReplyCheck::message(obj));
    getProDatas();
}
