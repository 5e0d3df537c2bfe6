#ifndef ADDRESSREPLY_H
#define ADDRESSREPLY_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

// Readings of the order address replies, after the window has checked "code". A missing key
// or a value of another type reads as empty text; nothing here fails.
namespace AddressReply {

// One area entry ("id", "areaname") as (id, name), in reply order.
using Area = QPair<QString, QString>;
QList<Area> areas(const QJsonArray& entries);

// One order address record as the address list keeps it: the record's keys as text, and
// "is_use" as a decimal count: a number or a numeric text, otherwise "0".
QMap<QString, QString> addressRow(const QJsonObject& record);
// The rows of "orderaddress_list", in reply order.
QList<QMap<QString, QString>> addressRows(const QJsonObject& root);

// The address the back end last used for a phone number ("result" of the phone lookup).
struct PhoneAddress
{
    QString address;
    QString provinceid;
    QString provincename;
    QString cityid;
    QString cityname;
    QString countyid; // "areaid" of the member
    QString countyname;
    QList<Area> cities;
    QList<Area> districts;
};
PhoneAddress phoneAddress(const QJsonObject& root);

} // namespace AddressReply

#endif // ADDRESSREPLY_H
