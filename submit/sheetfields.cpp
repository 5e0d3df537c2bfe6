#include "submit/sheetfields.h"

#include "core/config.h"
#include "photostore/productdata.h"
#include "sheets/webviewwindow.h"
#include "submit/orderdetailreply.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace SheetFields {

QString customerTitle(const QStringList& names, const QString& photoDate, const QString& payKey)
{
    QStringList present;
    for (const QString& name : names)
        if (!name.isEmpty())
            present << name;
    const QStringList parts = photoDate.split(QLatin1Char('-'));
    QString month;
    if (parts.size() > 1)
        month = QString::number(parts.at(1).toInt());
    return present.join(QLatin1Char('-')) + QStringLiteral("<BR>") + month + parts.value(2) + payKey;
}

QString joinContacts(const QString& first, const QString& second)
{
    if (!first.isEmpty() && !second.isEmpty())
        return first + QStringLiteral("<BR>") + second;
    return first.isEmpty() ? second : first;
}

QString kanbanText(const QJsonObject& order)
{
    using DetailValue::text;
    return text(order, QStringLiteral("comparedate")) + QLatin1Char(' ')
        + text(order, QStringLiteral("kanban_timearea"));
}

namespace {

QString kjxWayName(const QString& way)
{
    if (way == QLatin1String("3"))
        return QStringLiteral("未定");
    if (way == QLatin1String("1"))
        return QStringLiteral("在线看");
    if (way == QLatin1String("2"))
        return QStringLiteral("到店看");
    return QString();
}

QString areaName(const QJsonObject& order, const char* key)
{
    return DetailValue::text(order.value(QLatin1String(key)).toObject(), QStringLiteral("areaname"));
}

} // namespace

void fillProductionSheet(WebViewWindow* w, const QJsonObject& reply, const SheetContext& context)
{
    const QJsonObject o = reply.value(QStringLiteral("order")).toObject();
    const auto t = [&o](const char* key) { return DetailValue::text(o, QLatin1String(key)); };

    w->html = context.html;
    w->morephotonumber = t("morephotonumber");
    w->activenumber = t("activenumber");
    w->goodpnumber = t("goodpnumber");
    w->yqnumber = t("yqnumber");
    w->yx_number = t("yx_number");
    w->buynumber = t("buynumber");
    w->designnum = t("designnum");
    w->bname = t("bname");
    w->wname = t("wname");
    w->mname = t("mname");
    w->bsex = t("bsex");
    w->birthday = t("birthday");
    w->consumption_statement = t("consumption_statement");
    w->customer_title = customerTitle({w->bname, w->wname, w->mname}, Config::order_photodate, Config::orderpayforkey);
    w->wphone = t("wphone");
    w->mphone = t("mphone");
    w->wmail = t("wmail");
    w->mmail = t("mmail");
    w->phones = joinContacts(w->mphone, w->wphone);
    w->selectphoto_sign = t("selectphoto");
    w->mssid = t("mssid");
    w->servershopid = t("servershopid");
    w->consumetypeid = t("consumetypeid");
    w->wxname = t("wxname");
    w->tuiguangname = t("tuiguangname");
    w->count = t("count");
    w->dept = t("dept");
    w->booktime = t("booktime");
    w->totaltwosales = t("totaltwosales");
    w->s2_name = t("s2_name");
    w->terms_of_service = t("terms_of_service");
    w->booksuccess = t("booksuccess");
    w->tiaose = t("tiaose");
    w->tiaoxiu = t("tiaoxiu");
    w->role9name = t("role9name");
    w->role6name = t("role6name");
    w->sheji = t("sheji");
    w->role1 = t("role1");
    w->role2 = t("role2");
    w->role3 = t("role3");
    w->role4 = t("role4");
    w->selectphoto = t("selectphoto");
    w->role16 = t("role16");
    w->role17 = t("role17");
    w->shopname = t("shopname");
    w->order_price = t("order_price");
    w->photodate = t("photodate");
    w->print_thumbnails = context.printThumbnails;
    w->print_finished_area = context.printFinishedArea;
    w->selectphotodate_text = t("selectphotodate") + QLatin1Char(' ') + t("sampledate_timearea");
    w->getphotodate_text = t("getphotodate_html") + QLatin1Char(' ') + t("pickuptime_timearea");
    w->orderpayforkey = Config::orderpayforkey;
    w->orderServNum = Config::orderServNum;
    w->urgent_date = context.urgentDate;
    w->kanjingxiu_text = t("checktruing") + QLatin1Char(' ') + t("kanjingxiu_timearea")
        + QStringLiteral("    看精修方式:") + kjxWayName(t("kjxway"));
    w->kanban_text = kanbanText(o);
    w->twosales = t("twosales");
    w->sale_payfor = t("sale_payfor");
    w->pay_type = t("pay_type");
    w->twosales_unpaid = QString::number(DetailValue::integer(w->twosales) - DetailValue::integer(w->sale_payfor));
    w->setServicetimepros(QString::fromUtf8(
        QJsonDocument(reply.value(QStringLiteral("servicetime")).toArray()).toJson(QJsonDocument::Compact)));
    w->count_order_sample_infoservicetimes
        = DetailValue::text(reply, QStringLiteral("count_order_sample_infoservicetimes"));
    w->vipphotonumber = t("vipphotonumber");
    w->setProducts(ProductData::m_products);
    w->full_address = areaName(o, "provinceid") + areaName(o, "cityid") + areaName(o, "areaid") + t("address");
    w->sjrname = t("sjrname");
    w->sjrphone = t("sjrphone");
}

} // namespace SheetFields
