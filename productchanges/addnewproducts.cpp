#include "productchanges/addnewproducts.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "productchanges/productbox.h"
#include "productchanges/searchgoodsreply.h"
#include "ui_addnewproducts.h"

#include <QCloseEvent>
#include <QFont>
#include <QHeaderView>
#include <QIntValidator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidgetItem>
#include <QPushButton>
#include <QScroller>
#include <QShortcut>
#include <QTableWidgetItem>

#include <iterator>

namespace {

struct Column
{
    const char* caption;
    int width;
};

const Column Columns[] = {
    {"编号", 100},
    {"产品名称", 150},
    {"产品类别", 100},
    {"工厂编号", 150},
    {"库存量", 80},
    {"操作", 80},
};
const int StockColumn = 4;
const int ButtonColumn = 5;
const char* const PageSize = "20";

QString pendingText()
{
    return QStringLiteral("提交中...");
}

QStringList captions()
{
    QStringList list;
    for (const Column& column : Columns)
        list << QString::fromUtf8(column.caption);
    return list;
}

} // namespace

AddNewProducts::AddNewProducts(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::AddNewProducts)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("新增产品"));

    QListWidget* strip = ui->typeListWidget;
    strip->setFixedHeight(40);
    strip->setWrapping(false);
    QScroller::grabGesture(strip->viewport(), QScroller::LeftMouseButtonGesture);

    QTableWidget* table = ui->tableWidget;
    table->setFont(QFont(QStringLiteral("宋体")));
    table->setColumnCount(int(std::size(Columns)));
    table->setHorizontalHeaderLabels(captions());
    for (int i = 0; i < int(std::size(Columns)); ++i)
        table->setColumnWidth(i, int(Columns[i].width * Config::scaleDpi));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setVisible(true);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setHighlightSections(false);

    ui->le_numpage->setValidator(new QIntValidator(ui->le_numpage));

    connect(ui->searchButton, &QPushButton::clicked, this, &AddNewProducts::clickSearch);
    connect(ui->submitButton, &QPushButton::clicked, this, &AddNewProducts::clickSubmit);
    connect(strip, &QListWidget::clicked, this, &AddNewProducts::typeItemClicked);
    m_returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_returnShortcut->setContext(Qt::WindowShortcut);
    connect(m_returnShortcut, &QShortcut::activated, this, &AddNewProducts::clickSearch);

    clickSearch();
}

AddNewProducts::~AddNewProducts()
{
    delete ui;
}

void AddNewProducts::clickSearch()
{
    QByteArray body = FormBody::withToken()
                          .add(QStringLiteral("shopid"), Config::shop_id)
                          .add(QStringLiteral("companyid"), Config::super_id)
                          .add(QStringLiteral("page"), ui->le_numpage->text())
                          .add(QStringLiteral("page_number"), QString::fromLatin1(PageSize))
                          .add(QStringLiteral("goodtypeid"), goodTypeId)
                          .add(QStringLiteral("order_photo_id"), Config::order_id)
                          .add(QStringLiteral("orderid"), Config::orderOneId)
                          .add(QStringLiteral("searchtype"),
                              ui->comboBox->currentIndex() == 1 ? QStringLiteral("2") : QStringLiteral("1"))
                          .add(QStringLiteral("keyword"), ui->lineEdit->text())
                          .toByteArray();
    postDataFunc(body);
}

void AddNewProducts::postDataFunc(QByteArray& body)
{
    qCDebug(lcProductChanges) << "search new prod url:" << Config::url_query_product;
    qCDebug(lcProductChanges) << "search new prod paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_query_product, body, this, &AddNewProducts::queryCallBack);
}

void AddNewProducts::queryCallBack(const BackendReply& reply)
{
    const SearchGoodsReply result = SearchGoodsReply::parse(reply);
    if (!result.isAccepted) {
        ProductBox::showSearchFailure(result);
        return;
    }
    if (result.isstock == QLatin1String("1"))
        isStock = true;
    else if (result.isstock == QLatin1String("0"))
        isStock = false;
    totalPage = result.totalPage;
    ui->lb_allpage->setText(QLatin1Char('/') + QString::number(totalPage));
    fillTypeStrip(result.goodTypes);

    if (result.goods.isEmpty()) {
        // The rows stay, blank, as the operator saw them; products keeps the earlier page.
        clearTable();
        ProductBox::showNothingFound();
        return;
    }
    products = result.goodsWithChildren();
    refreshTable();
}

void AddNewProducts::fillTypeStrip(const QList<GoodType>& types)
{
    QListWidget* strip = ui->typeListWidget;
    strip->clear();
    typeIds.clear();
    strip->addItem(QStringLiteral("全部"));
    typeIds.append(QString());
    for (const GoodType& type : types) {
        strip->addItem(type.name);
        typeIds.append(type.id);
    }
    const int row = typeIds.indexOf(goodTypeId);
    if (row >= 0) {
        strip->setCurrentRow(row);
        strip->item(row)->setSelected(true);
    }
}

void AddNewProducts::clearTable()
{
    QTableWidget* table = ui->tableWidget;
    for (int row = 0; row < table->rowCount(); ++row)
        table->removeCellWidget(row, ButtonColumn);
    table->clear();
    table->setHorizontalHeaderLabels(captions());
}

void AddNewProducts::refreshTable()
{
    QTableWidget* table = ui->tableWidget;
    clearTable();
    table->setRowCount(products.size());
    for (int row = 0; row < products.size(); ++row) {
        const Product& product = products.at(row);
        const QString cells[]
            = {product.number, product.goodname, product.goodtype, product.factorykeyx, product.stock};
        for (int column = 0; column < int(std::size(cells)); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (isStock && table->item(row, StockColumn)->text() == QLatin1String("0"))
            continue;
        auto* button = new QPushButton(QStringLiteral("添加"), this);
        // The catalogue id: it is what the add sends.
        button->setProperty("itemid", product.goodid);
        button->setProperty("itemname", product.goodname);
        connect(button, &QPushButton::clicked, this, &AddNewProducts::on_addbutton_clicked);
        table->setCellWidget(row, ButtonColumn, button);
    }
}

int AddNewProducts::currentPage() const
{
    return ui->le_numpage->text().toInt();
}

void AddNewProducts::searchPage(int page)
{
    ui->le_numpage->setText(QString::number(page));
    clickSearch();
}

void AddNewProducts::on_pb_firstpage_clicked()
{
    searchPage(1);
}

void AddNewProducts::on_pb_prepage_clicked()
{
    searchPage(qMax(1, currentPage() - 1));
}

void AddNewProducts::on_pb_nextpage_clicked()
{
    const int next = currentPage() + 1;
    searchPage(next > totalPage ? 1 : next);
}

void AddNewProducts::on_pb_lastpage_clicked()
{
    searchPage(totalPage);
}

void AddNewProducts::typeItemClicked(const QModelIndex& index)
{
    if (index.row() < 0 || index.row() >= typeIds.size())
        return;
    goodTypeId = typeIds.at(index.row());
    clickSearch();
}

void AddNewProducts::on_addbutton_clicked()
{
    if (m_isAdding)
        return;
    const auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    // A JSON array of the one id; built as JSON so an id with a quote or backslash stays one string.
    QString ids = QString::fromUtf8(
        QJsonDocument(QJsonArray {button->property("itemid").toString()}).toJson(QJsonDocument::Compact));
    addingName = button->property("itemname").toString();
    ui->lb_message->setText(pendingText());
    m_isAdding = true;
    QByteArray body = submitPostData(ids);
    submitpostDataFunc(body);
}

QByteArray AddNewProducts::submitPostData(QString& ids)
{
    return FormBody::withToken()
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .add(QStringLiteral("uid"), Config::manager_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("ids"), ids)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("ispage"), 1)
        .toByteArray();
}

void AddNewProducts::submitpostDataFunc(QByteArray& body)
{
    qCDebug(lcProductChanges) << "add prod Url:" << Config::url_submit_new_product;
    qCDebug(lcProductChanges) << "add prod paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_submit_new_product, body, this, &AddNewProducts::submitQueryCallBack);
}

void AddNewProducts::submitQueryCallBack(const BackendReply& reply)
{
    m_isAdding = false;
    if (reply.isSuccess()) {
        ui->lb_message->setText(addingName + QStringLiteral(" 提交成功..."));
    } else if (reply.isObject()) {
        ui->lb_message->setText(addingName + QStringLiteral("  ") + reply.message());
        ProductBox::show(QStringLiteral("警告"), QStringLiteral("提交错误：") + reply.message());
    } else {
        // An unreadable body tells nothing of the add: the operator may check and add again.
        ui->lb_message->setText(addingName + QStringLiteral(" 提交失败..."));
        if (reply.isNetworkError())
            BackendPost::showNetworkError(reply, true);
    }
}

void AddNewProducts::clickSubmit()
{
    close();
}

void AddNewProducts::closeEvent(QCloseEvent* event)
{
    emit refreshNewProducts();
    event->accept();
}
