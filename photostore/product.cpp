#include "photostore/product.h"

#include "core/jsontext.h"
#include "core/logging.h"

#include <QJsonValue>

#include <cmath>

namespace {

// Which parser reads an entry: the reading differs in a few keys only.
enum class Reading {
    Group0,      // an "ordergoods0" entry or one of its sub-products
    Group1,      // an "ordergoods1" entry
    Group2,      // an "ordergoods2" entry
    Group3,      // a top-level "ordergoods3" entry
    Group3Child, // a sub-product inside an "ordergoods3" package
};

QString text(const QJsonObject& entry, const char* key)
{
    return jsonText(entry.value(QLatin1String(key)));
}

bool isOne(const QJsonObject& entry, const char* key)
{
    return text(entry, key) == QLatin1String("1");
}

// Empty parts are dropped: "a||b" or a trailing "|" would otherwise make phantom photos.
void readPics(Product& p, const QJsonObject& entry)
{
    const QString picpath = text(entry, "picpath");
    if (!picpath.isEmpty())
        p.pics = picpath.split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

void readAddress(OrderAddress& a, const QJsonObject& entry)
{
    const QJsonObject o = entry.value(QLatin1String("orderaddress")).toObject();
    a.id = text(o, "id");
    a.province = text(o, "province");
    a.provinceid = text(o, "provinceid");
    a.city = text(o, "city");
    a.cityid = text(o, "cityid");
    a.county = text(o, "county");
    a.countyid = text(o, "countyid");
    a.address = text(o, "address");
    a.name = text(o, "name");
    a.phone = text(o, "phone");
    a.postcode = text(o, "postcode");
}

void readOrderFields(Product& p, const QJsonObject& entry, Reading reading)
{
    p.isurgent = text(entry, "isurgent");
    p.goodid = text(entry, "goodid");
    p.number = text(entry, "number");
    if (reading == Reading::Group0)
        p.parentid = text(entry, "parentid");
    p.goodname = text(entry, "goodname");
    p.goodtype = text(entry, "goodtype");
    p.goodtypeid = text(entry, "goodtypeid");
    p.goodsizename = text(entry, "goodsizename");
    if (reading == Reading::Group3Child)
        p.parent_goodname = text(entry, "parent_goodname");
    p.costing = text(entry, "costing");
    p.weight = text(entry, "weight");
    p.id = text(entry, "id");
    p.descr = text(entry, "descr");
    p.goodpnumber = text(entry, "goodpnumber");
    p.p_num = text(entry, "p_num");
    p.goodpagenumber = text(entry, "goodpagenumber");
    p.goodamount = text(entry, "goodamount");
    p.stock = text(entry, "stock");
    p.source_remarks = text(entry, "source_remarks");
    readPics(p, entry);
    p.factoryname = text(entry, "factoryname");
    p.factorykeyx = text(entry, "factorykeyx");
    p.print = true;
    p.thumbnail = true;
    p.isems = isOne(entry, "isems");
    readAddress(p.orderaddress, entry);
    if (reading == Reading::Group3 || reading == Reading::Group3Child) {
        const QString sent = text(entry, "sendtofactorytime");
        // A package without the key counts as sent; a sub-product only with a real time.
        p.sentToFactory
            = reading == Reading::Group3 ? sent != QLatin1String("0") : !sent.isEmpty() && sent != QLatin1String("0");
        p.type = text(entry, "type");
        p.isType4 = p.type == QLatin1String("4");
    } else if (reading == Reading::Group2) {
        p.isType4 = true;
    }
    p.remarks = text(entry, "remarks");
    p.servicetime = text(entry, "servicetime");
    p.auth_remark = text(entry, "auth_remark");
    p.goodremark = text(entry, "goodremark");
    p.isexist = isOne(entry, "isexist");
    p.hasParent = !p.parentid.isEmpty() && p.parentid != QLatin1String("0");
}

void readSonGood(Product& p, const QJsonObject& entry)
{
    if (p.isexist)
        p.son_good = entry.value(QLatin1String("son_good")).toArray();
}

// One level of sub-products: their own "son_good" is not read.
void readChildren(Product& p, Reading reading)
{
    p.children.clear();
    for (const QJsonValue& element : qAsConst(p.son_good)) {
        Product child;
        readOrderFields(child, element.toObject(), reading);
        child.hasParent = true;
        p.children.append(child);
    }
}

} // namespace

void Product::analysis_goods0_paras(QJsonObject entry)
{
    readOrderFields(*this, entry, Reading::Group0);
}

void Product::analysis_goods0(QJsonObject entry)
{
    analysis_goods0_paras(entry);
    readSonGood(*this, entry);
    if (isexist)
        readChildren(*this, Reading::Group0);
}

void Product::analysis_goods1(QJsonObject entry)
{
    readOrderFields(*this, entry, Reading::Group1);
    readSonGood(*this, entry);
}

void Product::analysis_goods2(QJsonObject entry)
{
    readOrderFields(*this, entry, Reading::Group2);
    readSonGood(*this, entry);
}

void Product::analysis_goods3_paras(QJsonObject entry)
{
    readOrderFields(*this, entry, Reading::Group3);
    qCDebug(lcPhotoStore) << "ItemName" << goodname;
}

void Product::analysis_goods3(QJsonObject entry)
{
    analysis_goods3_paras(entry);
    readSonGood(*this, entry);
    if (isexist)
        readChildren(*this, Reading::Group3Child);
}

void Product::searchGoods(QJsonObject entry)
{
    goodid = text(entry, "id");
    number = text(entry, "goodnumber");
    goodname = text(entry, "goodname");
    goodtype = text(entry, "goodtype");
    goodsizename = text(entry, "goodsizename");
    stock = text(entry, "stock");
    factoryname = text(entry, "factoryname");
    factorykeyx = text(entry, "factorykeyx");
    isexist = isOne(entry, "isexist");
    hasParent = !parentid.isEmpty() && parentid != QLatin1String("0");
    readSonGood(*this, entry);
}
