#include "order/order.h"

order::order()
    : islock(false)
{
}

order::order(const order& other) = default;

order& order::operator=(const order& other) = default;

order::~order() = default;
