#ifndef PRODUCTDATA_H
#define PRODUCTDATA_H

#include "photostore/product.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Product state of the open order that several windows share without owning one another.
// Every member exists from start-up, empty; each writer replaces what it owns. GUI thread only.
class ProductData
{
public:
    ProductData() = delete;

    // The order's products in table order; a product's 1-based position is the number
    // written after "用" into the photos that it uses.
    static QList<Product> m_products;
    // The products as the stock check before submission returned them.
    static QList<Product> m_printProducts;
    static QString all_product_requirement;
    static QString product_urgentdate;
    static QString product_urgentTime;
    // Photos of the products changed in the order-product-change window, refreshed at the
    // products panel's next table refresh.
    static QStringList m_changedPhotos;
    static QString oid;
    static int replaceType;
    // The local folder picked for the order's photos at the order search; empty for none.
    static QString localOrderPath;
    // Names of the photos that at least one product uses.
    static QSet<QString> useImages;
};

#endif // PRODUCTDATA_H
