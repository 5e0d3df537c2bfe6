#ifndef ORDERINFOREPLY_H
#define ORDERINFOREPLY_H

#include "productchanges/changeproducts.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>

// The order information and payments reply ("order_info") read into values. Every value is read as a JSON string;
// anything else (missing, a number, null) reads as empty text. Its "code" is not read: whatever "order" and "payfor"
// hold is shown.
struct OrderInfoReply
{
    // The value of each key of "order" that the panel shows, plus the derived texts under the keys below.
    QHash<QString, QString> values;
    // The records of "payfor", in array order.
    QList<ChangeProducts::PayInfoModelStu> payments;

    static const QString SampleTimeKey;      // "samplestarttime" ":" "samplestartmin", as sent
    static const QString OrderArrearsKey;    // "orderdisprice" less "order_total"
    static const QString TwoSalesArrearsKey; // "twosales" less "order_photo_total"

    QString value(const QString& key) const { return values.value(key); }

    static OrderInfoReply parse(const QJsonObject& reply);

    // due less paid, both decimal texts, computed in whole cents and shown with two decimals ("199.50", "-50.00").
    // A text that is no amount counts as 0, as does one too large to be a price.
    static QString arrears(const QString& due, const QString& paid);
};

#endif // ORDERINFOREPLY_H
