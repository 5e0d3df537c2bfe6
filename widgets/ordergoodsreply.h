#ifndef ORDERGOODSREPLY_H
#define ORDERGOODSREPLY_H

#include "photostore/product.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// The products panel's reading of the order's products reply ("ordergoods"), as a value: the window shows the error and
// writes the globals. Only the group "ordergoods3" is kept.
struct OrderGoodsReply
{
    // False when the back end refused; error then holds the text of the box.
    bool isAccepted = false;
    QString error;
    // "max_servicetime" of the order, a JSON string or empty.
    QString maxServiceTime;
    // Table order: each package followed by its sub-products.
    QList<Product> products;

    static OrderGoodsReply parse(const QJsonObject& root);
    // A package is followed by its sub-products, each marked as a child and named after it.
    static QList<Product> flattenGroup3(const QJsonArray& entries);
};

#endif // ORDERGOODSREPLY_H
