#ifndef SHOPS_H
#define SHOPS_H

#include <QList>
#include <QString>

class QJsonValue;

// One shop of the signed-in user, as the sign-in reply lists it.
struct Shops
{
    QString name;
    QString id;

    // The shops of a sign-in reply's "shop_data", in reply order; anything that is
    // not an array gives none. An id may be a string or an integral number; a shop
    // without one is left out.
    static QList<Shops> fromJson(const QJsonValue& shopData);
    // Appends each shop's name and id to Config::names and Config::ids.
    static void appendToConfig(const QList<Shops>& shops);
};

#endif // SHOPS_H
