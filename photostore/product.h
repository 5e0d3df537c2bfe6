#ifndef PRODUCT_H
#define PRODUCT_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The delivery address of one product, as the back end's "orderaddress" block holds it.
struct OrderAddress
{
    QString id;
    QString province;
    QString provinceid;
    QString city;
    QString cityid;
    QString county;
    QString countyid;
    QString address;
    QString name;
    QString phone;
    QString postcode;
};

// One product of the order (an album, frame, print or package) with the photos assigned to it, its counts, requirement,
// flags and delivery address. A plain value: every window that handles the order's products keeps its own copies.
// Values from the back end are kept as the text it sent; no member holds a number.
//
// The parsers fill the record they are called on from one entry of a products reply; they never fail: a missing key or
// a value of another type leaves an empty text or a false flag. The member order is the record's stored layout and is
// kept as it is.
class Product
{
public:
    Product() = default;

    QString isurgent;
    QString goodid;
    QString number;
    QString parentid;
    QString goodname;
    QString goodtype;
    QString goodtypeid;
    QString goodsizename;
    QString parent_goodname;
    QString costing;
    QString weight;
    QString amount;
    QString id; // the order-product row id that every per-product write sends
    QString descr;
    QString goodpnumber;
    QString p_num;
    QString goodpagenumber;
    QString goodamount;
    QString stock;
    QString source_remarks;
    // File names of the photos assigned to the product, in assignment order.
    QStringList pics;
    QString reserved1;
    QString factoryname;
    QString factorykeyx;
    QString reserved2;
    bool print = false;
    bool thumbnail = false;
    bool isems = false;
    QString reserved3;
    QString reserved4;
    QString reserved5;
    QString reserved6;
    QString reserved7;
    QString reserved8;
    QString reserved9;
    OrderAddress orderaddress;
    // The product has gone to the factory: its photos may no longer change.
    bool sentToFactory = false;
    // Added during the selection; shown after "选片产品--".
    bool isType4 = false;
    QString type;
    QString remarks;
    QString servicetime;
    QString auth_remark;
    QString goodremark;
    // A package whose sub-products are in son_good.
    bool isexist = false;
    // A sub-product of a package.
    bool hasParent = false;
    QJsonArray son_good;
    QList<Product> children;

    // One entry of "ordergoods0": the field step, then the sub-products into children.
    void analysis_goods0(QJsonObject entry);
    void analysis_goods0_paras(QJsonObject entry);
    // One entry of "ordergoods1" / "ordergoods2" (the latter always added during selection).
    void analysis_goods1(QJsonObject entry);
    void analysis_goods2(QJsonObject entry);
    // One entry of "ordergoods3": the field step with type and factory state, then children.
    void analysis_goods3(QJsonObject entry);
    void analysis_goods3_paras(QJsonObject entry);
    // One entry of the catalogue search's "goods". Its "id" is a catalogue id, so it goes into goodid, and id (an
    // order row's id) stays empty: the add and replace posts send goodid.
    void searchGoods(QJsonObject entry);
};

#endif // PRODUCT_H
