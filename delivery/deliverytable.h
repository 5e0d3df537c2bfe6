#ifndef DELIVERYTABLE_H
#define DELIVERYTABLE_H

#include "core/formbody.h"

#include <QList>
#include <QMap>
#include <QString>

#include <initializer_list>

class QStandardItem;
class QStandardItemModel;
class QTableView;

// What the delivery dialogs share: their item tables, their boxes and the order's keys.
namespace DeliveryTable {

struct Column
{
    const char* title;
    int width; // unscaled pixels
};
// One map per column with "title" and "width" (decimal text).
using Headers = QList<QMap<QString, QString>>;

Headers headers(std::initializer_list<Column> columns);
// Puts model on view read-only, whole-row single selection, one header item per column with
// its width scaled by Config::scaleDpi.
void setUp(QTableView* view, QStandardItemModel* model, const Headers& headers);
// A centred cell without text whose indicator only the dialog sets.
QStandardItem* checkItem(bool isChecked);

// "token" and the open order's four keys, as every order query of these dialogs sends them.
FormBody orderBody();
// "token", "shopid", "companyid", "order_photo_id" and "orderid": the head of the writes
// that set the default address or the delivery of products.
FormBody orderWriteBody();

// An information box with no parent and one Yes button.
void inform(const QString& title, const QString& text);

} // namespace DeliveryTable

#endif // DELIVERYTABLE_H
