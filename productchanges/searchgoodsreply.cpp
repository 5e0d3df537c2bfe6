#include "productchanges/searchgoodsreply.h"

#include "core/backendreply.h"
#include "core/jsontext.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <limits>

namespace {

// A page count past what an int holds is read as none rather than wrapped.
int pageCount(const QJsonValue& value)
{
    if (!value.isDouble())
        return 0;
    const double pages = value.toDouble();
    if (!(pages >= 0 && pages <= std::numeric_limits<int>::max()))
        return 0;
    return int(pages);
}

Product catalogueEntry(const QJsonValue& value)
{
    Product product;
    product.searchGoods(value.toObject());
    return product;
}

} // namespace

SearchGoodsReply SearchGoodsReply::parse(const BackendReply& reply)
{
    SearchGoodsReply result;
    result.errorText = reply.failureText(QStringLiteral("查询错误："));
    if (!reply.isSuccess())
        return result;
    result.isAccepted = true;
    const QJsonObject& object = reply.object;
    result.isstock = jsonText(object.value(QLatin1String("isstock")));
    result.totalPage = pageCount(object.value(QLatin1String("total_page")));
    const QJsonArray types = object.value(QLatin1String("goodtype")).toArray();
    for (const QJsonValue& value : types) {
        const QJsonObject type = value.toObject();
        result.goodTypes.append(
            {jsonText(type.value(QLatin1String("id"))), jsonText(type.value(QLatin1String("name")))});
    }
    const QJsonArray goods = object.value(QLatin1String("goods")).toArray();
    for (const QJsonValue& value : goods)
        result.goods.append(catalogueEntry(value));
    return result;
}

QList<Product> SearchGoodsReply::goodsWithChildren() const
{
    QList<Product> rows;
    for (const Product& good : goods) {
        rows.append(good);
        if (!good.isexist)
            continue;
        for (const QJsonValue& child : good.son_good)
            rows.append(catalogueEntry(child));
    }
    return rows;
}
