#include "widgets/ordergoodsreply.h"

#include "core/replycheck.h"

#include <QJsonValue>

OrderGoodsReply OrderGoodsReply::parse(const QJsonObject& root)
{
    OrderGoodsReply result;
    if (!ReplyCheck::isAccepted(root)) {
        result.error = QStringLiteral("查询产品信息错误：") + ReplyCheck::message(root);
        return result;
    }
    result.isAccepted = true;
    const QJsonObject order = root.value(QLatin1String("order")).toObject();
    result.maxServiceTime = order.value(QLatin1String("max_servicetime")).toString();
    result.products = flattenGroup3(order.value(QLatin1String("ordergoods3")).toArray());
    return result;
}

QList<Product> OrderGoodsReply::flattenGroup3(const QJsonArray& entries)
{
    QList<Product> list;
    for (const QJsonValue& entry : entries) {
        Product package;
        package.analysis_goods3(entry.toObject());
        list.append(package);
        if (!package.isexist)
            continue;
        for (const QJsonValue& element : qAsConst(package.son_good)) {
            Product child;
            child.analysis_goods3(element.toObject());
            child.parent_goodname = package.goodname;
            child.hasParent = true;
            list.append(child);
        }
    }
    return list;
}
