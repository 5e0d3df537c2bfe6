#ifndef PRODUCT_H
#define PRODUCT_H

#include <QStringList>

// One product of the order, as the products panel fills it from the back end.
// The photo store keeps lists of it and reads only the photos assigned to it.
class Product
{
public:
    // File names of the photos assigned to the product, in assignment order.
    QStringList pics;
    // The product has gone to the factory: its photos may no longer change.
    bool sentToFactory = false;
};

#endif // PRODUCT_H
