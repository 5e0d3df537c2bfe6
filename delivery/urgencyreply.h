#ifndef URGENCYREPLY_H
#define URGENCYREPLY_H

#include "Calendar/timeschedule.h"
#include "photostore/product.h"

#include <QJsonObject>
#include <QList>

// The urgency window's readings of its two replies, after the window has checked "code".
namespace UrgencyReply {

// The products of "order"."ordergoods0" (the other groups are not used), without their
// sub-products: the quantity from "goodamount" in Product::amount, and a product without
// "sendtofactorytime" counted as sent to the factory.
QList<Product> products(const QJsonObject& root);
// The order's urgent day "isurgenttime" and period ("urgentdatearea": "timeTxt", "timeId").
TimeSchedule urgentSchedule(const QJsonObject& root);

} // namespace UrgencyReply

#endif // URGENCYREPLY_H
