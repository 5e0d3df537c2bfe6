#include "productchanges/replaceoldproduct.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "photostore/productdata.h"
#include "productchanges/productbox.h"
#include "productchanges/searchgoodsreply.h"
#include "ui_replaceoldproduct.h"

#include <QFont>
#include <QHeaderView>
#include <QJsonDocument>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidgetItem>

#include <iterator>

namespace {

struct Column
{
    const char* caption;
    int width;
    bool isCentred;
};

const Column Columns[] = {
    {"编号", 50, true},
    {"产品名称", 150, true},
    {"产品类别", 80, true},
    {"后期工厂", 80, true},
    {"尺寸", 90, false},
};

} // namespace

ReplaceOldProduct::ReplaceOldProduct(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ReplaceOldProduct)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("替换产品"));

    QTableWidget* table = ui->tableWidget;
    table->setFont(QFont(QStringLiteral("宋体")));
    table->setColumnCount(int(std::size(Columns)));
    QStringList captions;
    for (const Column& column : Columns)
        captions << QString::fromUtf8(column.caption);
    table->setHorizontalHeaderLabels(captions);
    for (int i = 0; i < int(std::size(Columns)); ++i)
        table->setColumnWidth(i, int(Columns[i].width * Config::scaleDpi));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setVisible(true);
    table->verticalHeader()->setVisible(false);

    connect(ui->searchButton, &QPushButton::clicked, this, &ReplaceOldProduct::clickSearch);
    connect(ui->submitButton, &QPushButton::clicked, this, &ReplaceOldProduct::clickSubmit);
    m_returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_returnShortcut->setContext(Qt::WindowShortcut);
    connect(m_returnShortcut, &QShortcut::activated, this, &ReplaceOldProduct::clickSearch);
}

ReplaceOldProduct::~ReplaceOldProduct()
{
    delete ui;
}

void ReplaceOldProduct::clickSearch()
{
    if (ui->lineEdit->text().isEmpty()) {
        ProductBox::show(QStringLiteral("警告"), QStringLiteral("请输入搜索条件"));
        return;
    }
    QByteArray body = FormBody::withToken()
                          .add(QStringLiteral("shopid"), Config::shop_id)
                          .add(QStringLiteral("companyid"), Config::super_id)
                          .add(QStringLiteral("order_photo_id"), Config::order_id)
                          .add(QStringLiteral("orderid"), Config::orderOneId)
                          .add(QStringLiteral("searchtype"),
                              ui->comboBox->currentIndex() == 1 ? QStringLiteral("2") : QStringLiteral("1"))
                          .add(QStringLiteral("keyword"), ui->lineEdit->text())
                          .toByteArray();
    postDataFunc(body);
}

void ReplaceOldProduct::postDataFunc(QByteArray& body)
{
    qCDebug(lcProductChanges) << "search prods url:" << Config::url_query_product;
    qCDebug(lcProductChanges) << "search prods paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_query_product, body, this, &ReplaceOldProduct::queryCallBack);
}

void ReplaceOldProduct::queryCallBack(const BackendReply& reply)
{
    const SearchGoodsReply result = SearchGoodsReply::parse(reply);
    if (!result.isAccepted) {
        ProductBox::showSearchFailure(result);
        return;
    }
    if (result.goods.isEmpty()) {
        // The earlier result stays, still selectable.
        ProductBox::showNothingFound();
        return;
    }
    // A package is one row: its sub-products are not offered.
    products = result.goods;
    refreshTable();
}

void ReplaceOldProduct::refreshTable()
{
    QTableWidget* table = ui->tableWidget;
    table->setRowCount(products.size());
    for (int row = 0; row < products.size(); ++row) {
        const Product& product = products.at(row);
        const QString cells[]
            = {product.number, product.goodname, product.goodtype, product.factoryname, product.goodsizename};
        for (int column = 0; column < int(std::size(cells)); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (Columns[column].isCentred)
                item->setTextAlignment(Qt::AlignCenter);
            table->setItem(row, column, item);
        }
    }
}

void ReplaceOldProduct::clickSubmit()
{
    if (m_isReplacing)
        return;
    const QTableWidgetItem* item = ui->tableWidget->currentItem();
    const int row = item ? item->row() : -1;
    if (!item || !item->isSelected() || row >= products.size()) {
        ProductBox::show(QStringLiteral("警告"), QStringLiteral("请选择要替换的产品！"));
        return;
    }
    // The catalogue id, which the record keeps in goodid.
    QString goodId = products.at(row).goodid;
    QByteArray body = submitPostData(goodId);
    m_isReplacing = true;
    submitpostDataFunc(body);
}

QByteArray ReplaceOldProduct::submitPostData(QString& goodId)
{
    return FormBody::withToken()
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("goodid"), goodId)
        .add(QStringLiteral("oid"), ProductData::oid)
        .add(QStringLiteral("uid"), Config::manager_id)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .toByteArray();
}

void ReplaceOldProduct::submitpostDataFunc(QByteArray& body)
{
    qCDebug(lcProductChanges) << "submit replace prod url:" << Config::url_post_replacepro;
    qCDebug(lcProductChanges) << "submit replace prod paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_post_replacepro, body, this, &ReplaceOldProduct::submitQueryCallBack);
}

void ReplaceOldProduct::submitQueryCallBack(const BackendReply& reply)
{
    m_isReplacing = false;
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        return;
    }
    if (!reply.isObject())
        return;
    qCDebug(lcProductChanges).noquote() << "submit replace prod Json:"
                                        << QJsonDocument(reply.object).toJson(QJsonDocument::Indented);
    if (!reply.isSuccess()) {
        ProductBox::show(QStringLiteral("警告"), QStringLiteral("提交替换产品错误：") + reply.message());
        return;
    }
    emit refreshNewProducts();
    close();
}
