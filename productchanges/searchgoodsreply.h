#ifndef SEARCHGOODSREPLY_H
#define SEARCHGOODSREPLY_H

#include "photostore/product.h"

#include <QList>
#include <QString>

struct BackendReply;

// One product type of the catalogue, as the search reply's "goodtype" lists it.
struct GoodType
{
    QString id;
    QString name;
};

// The catalogue search reply ("searchgood") read into values. Each catalogue entry is read by
// Product::searchGoods, which keeps the catalogue "id" in goodid: that is the id the add and
// replace posts send.
struct SearchGoodsReply
{
    // A success: the fields below are read. Otherwise errorText holds the "警告" box's text, a
    // network error's or "查询错误：" and the message (empty for a body that is no JSON object,
    // which is dropped silently).
    bool isAccepted = false;
    QString errorText;

    // "isstock": "1" or "0"; any other text leaves the window's stock control as it was.
    QString isstock;
    // "total_page" when it is a JSON number, else 0.
    int totalPage = 0;
    QList<GoodType> goodTypes;
    // The catalogue entries of "goods", in order, without their children.
    QList<Product> goods;

    static SearchGoodsReply parse(const BackendReply& reply);

    // goods with each package directly followed by its sub-products (one level only).
    QList<Product> goodsWithChildren() const;
};

#endif // SEARCHGOODSREPLY_H
