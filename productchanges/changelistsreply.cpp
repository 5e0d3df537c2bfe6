#include "productchanges/changelistsreply.h"

#include "core/backendreply.h"
#include "core/jsontext.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

namespace {

using Reader = void (Product::*)(QJsonObject);

// Each top entry, then, for a package, its children read as package entries and marked.
QList<Product> productRows(const QJsonValue& array, Reader readTop)
{
    QList<Product> rows;
    for (const QJsonValue& value : array.toArray()) {
        Product product;
        (product.*readTop)(value.toObject());
        rows.append(product);
        if (!product.isexist)
            continue;
        for (const QJsonValue& childValue : qAsConst(product.son_good)) {
            Product child;
            child.analysis_goods0(childValue.toObject());
            child.hasParent = true;
            rows.append(child);
        }
    }
    return rows;
}

} // namespace

ChangeListsReply ChangeListsReply::parse(const BackendReply& reply)
{
    ChangeListsReply result;
    result.errorText = reply.failureText(QStringLiteral("查询错误："));
    if (!reply.isSuccess())
        return result;
    result.isAccepted = true;
    const QJsonObject order = reply.object.value(QLatin1String("order")).toObject();
    for (const QJsonValue& value : order.value(QLatin1String("order_photo_array")).toArray())
        result.serviceTimes.append(jsonText(value.toObject().value(QLatin1String("servicetimes"))));
    result.packageProducts = productRows(order.value(QLatin1String("ordergoods0")), &Product::analysis_goods0);
    result.removedProducts = productRows(order.value(QLatin1String("ordergoods1")), &Product::analysis_goods1);
    result.addedProducts = productRows(order.value(QLatin1String("ordergoods2")), &Product::analysis_goods2);
    return result;
}
