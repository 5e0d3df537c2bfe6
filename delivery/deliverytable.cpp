#include "delivery/deliverytable.h"

#include "core/config.h"
#include "core/prompt.h"

#include <QHeaderView>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTableView>

namespace DeliveryTable {

Headers headers(std::initializer_list<Column> columns)
{
    Headers list;
    for (const Column& column : columns)
        list.append({{QStringLiteral("title"), QString::fromUtf8(column.title)},
            {QStringLiteral("width"), QString::number(column.width)}});
    return list;
}

void setUp(QTableView* view, QStandardItemModel* model, const Headers& headers)
{
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    model->setColumnCount(headers.size());
    for (int i = 0; i < headers.size(); ++i) {
        model->setHorizontalHeaderItem(i, new QStandardItem(headers.at(i).value(QStringLiteral("title"))));
        view->setColumnWidth(i, int(headers.at(i).value(QStringLiteral("width")).toInt() * Config::scaleDpi));
    }
}

QStandardItem* checkItem(bool isChecked)
{
    auto* item = new QStandardItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignCenter);
    item->setCheckState(isChecked ? Qt::Checked : Qt::Unchecked);
    return item;
}

FormBody orderBody()
{
    FormBody body = FormBody::withToken();
    body.add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid);
    return body;
}

FormBody orderWriteBody()
{
    FormBody body = FormBody::withToken();
    body.add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("orderid"), Config::orderOneId);
    return body;
}

void inform(const QString& title, const QString& text)
{
    Prompt::information(nullptr, title, text, QMessageBox::Yes, QMessageBox::Yes);
}

} // namespace DeliveryTable
