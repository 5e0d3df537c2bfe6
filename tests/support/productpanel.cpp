#include "tests/support/productpanel.h"

#include "core/config.h"
#include "photostore/productdata.h"
#include "tests/support/eventwait.h"
#include "tests/support/testbackend.h"
#include "widgets/droplistwidget.h"

#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

bool ProductPanel::load()
{
    dlg.reset(new ProductDlg());
    table = dlg->findChild<QTableView*>(QStringLiteral("tableView"));
    model = qobject_cast<QStandardItemModel*>(table->model());
    list = dlg->findChild<DropListWidget*>();
    return postsAnswered();
}

bool ProductPanel::postsAnswered()
{
    ProductDlg* panel = dlg.get();
    return waitUntil([panel] { return panel->findChildren<QNetworkAccessManager*>().isEmpty(); });
}

bool ProductPanel::click(int row, int column)
{
    const QModelIndex index = model->index(row, column);
    table->setCurrentIndex(index);
    dlg->selectRowR(index);
    auto* timer = dlg->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    return waitUntil([timer] { return !timer->isActive(); });
}

bool ProductPanel::doubleClick(int row, int column)
{
    if (!click(row, column))
        return false;
    dlg->doubleClickTable(model->index(row, column));
    return true;
}

void ProductPanel::selectPhotos(const QList<int>& positions)
{
    list->clearSelection();
    for (int position : positions)
        list->item(position)->setSelected(true);
}

QString ProductPanel::cell(int row, int column) const
{
    QStandardItem* item = model->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

QJsonObject productsWithoutIds()
{
    QJsonArray goods;
    for (int i = 0; i < 4; ++i) {
        QJsonObject good {{"goodname", QStringLiteral("相册%1").arg(i)}, {"goodtypeid", "33"},
            {"goodamount", QString::number(i + 1)}, {"goodpagenumber", QString::number(10 + i)},
            {"picpath", QStringLiteral("IMG_010%1.jpg").arg(i)}, {"sendtofactorytime", "0"}, {"isurgent", "0"}};
        if (i >= 2)
            good.insert(QStringLiteral("id"), QStringLiteral("80100"));
        goods.append(good);
    }
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"order", QJsonObject {{"max_servicetime", "2"}, {"ordergoods3", goods}}}};
}

QStringList postedPicLists(TestBackend& backend, const QString& productId)
{
    QStringList lists;
    for (const StandInRequest& request :
        backend->requestsTo(QStringLiteral("order"), QStringLiteral("updategoodpicpath")))
        if (request.value(QStringLiteral("id")) == productId)
            lists << request.value(QStringLiteral("picpath"));
    return lists;
}

void useTestOrder()
{
    Config::order_id = QStringLiteral("1001");
    Config::shop_id = QStringLiteral("7");
    Config::super_id = QStringLiteral("3");
    Config::manager_id = QStringLiteral("501");
    Config::order_sample_infoid = QStringLiteral("30001");
    Config::isLocked = false;
    ProductData::m_products.clear();
}
