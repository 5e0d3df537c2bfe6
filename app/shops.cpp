#include "app/shops.h"

#include "core/config.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

QList<Shops> Shops::fromJson(const QJsonValue& shopData)
{
    QList<Shops> shops;
    const QJsonArray array = shopData.toArray();
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        Shops shop;
        shop.name = object.value(QStringLiteral("name")).toString();
        shop.id = object.value(QStringLiteral("id")).toString();
        // A shop without an id cannot be searched: it would only stand in the list as a blank.
        if (!shop.id.isEmpty())
            shops.append(shop);
    }
    return shops;
}

void Shops::appendToConfig(const QList<Shops>& shops)
{
    for (const Shops& shop : shops) {
        Config::names.append(shop.name);
        Config::ids.append(shop.id);
    }
}
