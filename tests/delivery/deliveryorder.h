#ifndef DELIVERYORDER_H
#define DELIVERYORDER_H

#include "core/config.h"

// The open order of the delivery dialogs' tests: the keys their posts carry.
inline void openDeliveryOrder()
{
    Config::order_id = QStringLiteral("1001");
    Config::orderOneId = QStringLiteral("88001");
    Config::shop_id = QStringLiteral("7");
    Config::super_id = QStringLiteral("3");
    Config::order_sample_infoid = QStringLiteral("30001");
}

#endif // DELIVERYORDER_H
