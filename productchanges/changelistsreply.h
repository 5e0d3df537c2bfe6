#ifndef CHANGELISTSREPLY_H
#define CHANGELISTSREPLY_H

#include "photostore/product.h"

#include <QList>
#include <QString>
#include <QStringList>

struct BackendReply;

// The order's products as the change window lists them ("ordergoods2"), read into values. Each list holds its top
// entries, each directly followed by its sub-products (one level) marked as such.
struct ChangeListsReply
{
    // A success: the fields below are read. Otherwise errorText holds the "警告" box's text, a network error's or
    // "查询错误：" and the message (empty for a body that is no JSON object, which is dropped silently).
    bool isAccepted = false;
    QString errorText;

    // The "servicetimes" of each element of "order_photo_array", in order.
    QStringList serviceTimes;
    QList<Product> packageProducts; // "ordergoods0"
    QList<Product> removedProducts; // "ordergoods1"
    QList<Product> addedProducts;   // "ordergoods2"

    static ChangeListsReply parse(const BackendReply& reply);
};

#endif // CHANGELISTSREPLY_H
