#include "productchanges/changeproducts.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "photostore/productdata.h"
#include "productchanges/addnewproducts.h"
#include "productchanges/changelistsreply.h"
#include "productchanges/orderinforeply.h"
#include "productchanges/productbox.h"
#include "productchanges/replaceoldproduct.h"
#include "widgets/productrequirement.h"
#include "ui_changeproducts.h"

#include <QAbstractItemView>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTableWidgetItem>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace {

using Columns = std::initializer_list<std::pair<const char*, int>>;

// Package table columns.
enum { PackageServiceTime = 1, PackageDelete = 5, PackageReplace = 6 };
// Removed table column.
enum { RemovedRestore = 4 };
// Added table columns.
enum { AddedDelete = 4, AddedReplace = 5, AddedRemark = 6 };

const QColor ActionColour(139, 183, 218);

// Captions and widths; read-only, nothing selectable.
void setUpTable(QTableWidget* table, Columns columns)
{
    table->setColumnCount(int(columns.size()));
    QStringList captions;
    int column = 0;
    for (const auto& caption : columns) {
        captions << QString::fromUtf8(caption.first);
        table->setColumnWidth(column++, int(caption.second * Config::scaleDpi));
    }
    table->setHorizontalHeaderLabels(captions);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
}

void setUpProductTable(QTableWidget* table, Columns columns)
{
    setUpTable(table, columns);
    table->setFont(QFont(QStringLiteral("宋体")));
    table->verticalHeader()->setVisible(false);
}

QTableWidgetItem* textItem(const QString& text, bool isCentred = true)
{
    auto* item = new QTableWidgetItem(text);
    if (isCentred)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QTableWidgetItem* actionItem(const char* text)
{
    QTableWidgetItem* item = textItem(QString::fromUtf8(text));
    item->setForeground(QBrush(ActionColour));
    return item;
}

QString shownName(const Product& product)
{
    return product.hasParent ? QStringLiteral("-->") + product.goodname : product.goodname;
}

QTableWidgetItem* numberItem(const Product& product)
{
    QTableWidgetItem* item = textItem(product.number);
    item->setToolTip(product.goodid);
    return item;
}

// The row of the product with entry id in products: the remembered row while it still holds that product, else
// wherever the product has moved; -1 when it is no longer listed.
int rowOf(const QList<Product>& products, const QString& id, int rememberedRow)
{
    if (rememberedRow >= 0 && rememberedRow < products.size() && products.at(rememberedRow).id == id)
        return rememberedRow;
    if (id.isEmpty())
        return -1;
    for (int row = 0; row < products.size(); ++row)
        if (products.at(row).id == id)
            return row;
    return -1;
}

// Taking a package product out ("1") or restoring it ("2").
QByteArray packageChangeBody(const QString& id, const QString& type)
{
    return FormBody()
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .add(QStringLiteral("token"), Config::token)
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("uid"), Config::manager_id)
        .add(QStringLiteral("ordergoodsid"), id)
        .add(QStringLiteral("type"), type)
        .add(QStringLiteral("companyid"), Config::super_id)
        .toByteArray();
}

// One field of one order product (its remark, its service count); the token travels in the address.
QByteArray productFieldBody(const QString& id, const QString& key, const QString& value)
{
    return FormBody()
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("id"), id)
        .add(key, value)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .toByteArray();
}

// The fields of the order information grid: caption, the reply field shown, grid row and caption column.
struct InfoField
{
    const char* caption;
    QString field;
    int row;
    int column;
};

const char* const BabyNameField = "bname";

QList<InfoField> infoFields()
{
    return {
        {"订单号：", QStringLiteral("orderpayforkey"), 0, 0},
        {"拍照类型：", QStringLiteral("ordertype"), 0, 2},
        {"服务次数：", QStringLiteral("servicetimes"), 0, 4},
        {"女士：", QStringLiteral("wname"), 1, 0},
        {"男士：", QStringLiteral("mname"), 1, 2},
        {"宝宝姓名：", QLatin1String(BabyNameField), 1, 4},
        {"套系名：", QStringLiteral("s2_name"), 2, 0},
        {"预约门店：", QStringLiteral("shopname"), 2, 2},
        {"成交日期：", QStringLiteral("booktime"), 2, 4},
        {"摄影师：", QStringLiteral("role1"), 3, 0},
        {"化妆师：", QStringLiteral("role2"), 3, 2},
        {"引逗师：", QStringLiteral("role5"), 3, 4},
        {"选片日期：", QStringLiteral("selectphotodate"), 4, 0},
        {"选片时间段：", OrderInfoReply::SampleTimeKey, 4, 2},
        {"选片师：", QStringLiteral("role12"), 4, 4},
        {"样后修片师：", QStringLiteral("role8"), 5, 0},
        {"精修师：", QStringLiteral("role9"), 5, 2},
        {"设计师：", QStringLiteral("role10"), 5, 4},
        {"订单现售价：", QStringLiteral("order_price"), 6, 0},
        {"订单应收价：", QStringLiteral("orderdisprice"), 6, 2},
        {"订单欠款：", OrderInfoReply::OrderArrearsKey, 6, 4},
        {"二销价格：", QStringLiteral("twosales"), 7, 0},
        {"二销欠款：", OrderInfoReply::TwoSalesArrearsKey, 7, 2},
        {"拍摄张数：", QStringLiteral("photonumber"), 8, 0},
        {"精修张数：", QStringLiteral("vipphotonumber"), 8, 2},
        {"入册张数：", QStringLiteral("enternum"), 8, 4},
    };
}

} // namespace

ChangeProducts::ChangeProducts(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::ChangeProducts)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    if (Config::ScreenWidth > 0 && Config::ScreenHeight > 0)
        resize(int(Config::ScreenWidth * 0.85), int(Config::ScreenHeight * 0.8));

    ui->tableWidget->setRowCount(4);
    connect(ui->tableWidget, &QTableWidget::cellClicked, this, &ChangeProducts::changeServNumAction);
    setUpProductTable(ui->tableWidget,
        {{"编号", 80}, {"服务次数", 80}, {"产品名称", 150}, {"产品类别", 100}, {"工厂编号", 100}, {"操作", 80},
            {"更改", 80}});
    ProductData::m_changedPhotos.clear();
    setUpProductTable(
        ui->tableWidget_del, {{"编号", 80}, {"产品名称", 150}, {"产品类别", 100}, {"工厂编号", 100}, {"操作", 80}});
    setUpProductTable(ui->tableWidget_new,
        {{"编号", 80}, {"产品名称", 150}, {"产品类别", 100}, {"工厂编号", 100}, {"操作", 80}, {"更改", 80},
            {"备注", 150}});
    setWindowTitle(QStringLiteral("增删改"));

    addPostData();
    initLeftFrame();
    httpOrderPayInfo();
}

ChangeProducts::~ChangeProducts()
{
    delete m_addWindow;
    // An editor left open would post for a window that has gone.
    if (m_remarkEditor)
        m_remarkEditor->close();
    delete ui;
    qCDebug(lcProductChanges) << "changeProducts delete";
}

// ---- Loading the products ----

void ChangeProducts::addPostData()
{
    QByteArray body = FormBody::withToken()
                          .add(QStringLiteral("order_photo_id"), Config::order_id)
                          .add(QStringLiteral("shopid"), Config::shop_id)
                          .add(QStringLiteral("companyid"), Config::super_id)
                          .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                          .toByteArray();
    postDataFunc(body);
}

void ChangeProducts::postDataFunc(QByteArray& body)
{
    BackendPost::post(Config::url_query_order_allproduct, body, this, &ChangeProducts::queryCallBack);
}

void ChangeProducts::on_newProducts()
{
    addPostData();
}

void ChangeProducts::queryCallBack(const BackendReply& reply)
{
    m_isChanging = false;
    const ChangeListsReply result = ChangeListsReply::parse(reply);
    if (!result.isAccepted) {
        if (reply.isNetworkError())
            BackendPost::showNetworkError(reply, true);
        else if (!result.errorText.isEmpty())
            ProductBox::show(QStringLiteral("警告"), result.errorText);
        return;
    }
    m_serviceTimes = result.serviceTimes;
    m_packageProducts = result.packageProducts;
    m_removedProducts = result.removedProducts;
    m_addedProducts = result.addedProducts;
    refreshTable();
}

void ChangeProducts::refreshTable()
{
    QTableWidget* package = ui->tableWidget;
    package->clearContents();
    package->setRowCount(m_packageProducts.size());
    for (int row = 0; row < m_packageProducts.size(); ++row) {
        const Product& product = m_packageProducts.at(row);
        package->setItem(row, 0, numberItem(product));
        if (!product.hasParent)
            package->setItem(row, PackageServiceTime, textItem(product.servicetime));
        package->setItem(row, 2, textItem(shownName(product)));
        package->setItem(row, 3, textItem(product.goodtype));
        package->setItem(row, 4, textItem(product.factorykeyx));
        setActionCells(row, !product.hasParent && product.servicetime == Config::orderServNum);
    }

    QTableWidget* removed = ui->tableWidget_del;
    removed->clearContents();
    removed->setRowCount(m_removedProducts.size());
    for (int row = 0; row < m_removedProducts.size(); ++row) {
        const Product& product = m_removedProducts.at(row);
        removed->setItem(row, 0, numberItem(product));
        removed->setItem(row, 1, textItem(shownName(product)));
        removed->setItem(row, 2, textItem(product.goodtype));
        removed->setItem(row, 3, textItem(product.factorykeyx));
        if (!product.hasParent)
            removed->setItem(row, RemovedRestore, actionItem("恢复"));
    }

    QTableWidget* added = ui->tableWidget_new;
    added->clearContents();
    added->setRowCount(m_addedProducts.size());
    for (int row = 0; row < m_addedProducts.size(); ++row) {
        const Product& product = m_addedProducts.at(row);
        added->setItem(row, 0, numberItem(product));
        added->setItem(row, 1, textItem(shownName(product)));
        added->setItem(row, 2, textItem(product.goodtype));
        added->setItem(row, 3, textItem(product.factorykeyx));
        if (!product.hasParent) {
            added->setItem(row, AddedDelete, actionItem("删除"));
            added->setItem(row, AddedReplace, actionItem("替换"));
        }
        // Every row, an empty remark too, so that a product without one can get one.
        added->setItem(row, AddedRemark, textItem(product.remarks, false));
    }
}

// "删除" and "替换" of a package row, or neither (an empty cell holds no item, so a click on it does nothing).
void ChangeProducts::setActionCells(int row, bool isActionable)
{
    QTableWidget* package = ui->tableWidget;
    if (isActionable) {
        package->setItem(row, PackageDelete, actionItem("删除"));
        package->setItem(row, PackageReplace, actionItem("替换"));
    } else {
        delete package->takeItem(row, PackageDelete);
        delete package->takeItem(row, PackageReplace);
    }
}

// ---- Clicks on the tables ----

void ChangeProducts::changeServNumAction(int row, int column)
{
    if (row < 0 || row >= m_packageProducts.size()) {
        qCDebug(lcProductChanges) << "package table click" << row << column;
        return;
    }
    const Product& product = m_packageProducts.at(row);
    qCDebug(lcProductChanges) << "package table click" << row << column << product.goodname << product.hasParent
                              << product.parentid;
}

void ChangeProducts::on_tableWidget_itemClicked(QTableWidgetItem* item)
{
    const int row = item->row();
    if (row < 0 || row >= m_packageProducts.size())
        return;
    const Product product = m_packageProducts.at(row);
    if (product.hasParent)
        return;
    m_packageRow = row;
    if (item->column() == PackageDelete) {
        m_deletedPackageId = product.id;
        ProductData::m_changedPhotos.append(product.pics);
        postDelOriProdFunc();
    } else if (item->column() == PackageReplace) {
        openReplacement(product);
    }
}

void ChangeProducts::on_tableWidget_del_itemClicked(QTableWidgetItem* item)
{
    const int row = item->row();
    if (row < 0 || row >= m_removedProducts.size())
        return;
    m_removedRow = row;
    if (item->column() != RemovedRestore)
        return;
    const Product& product = m_removedProducts.at(row);
    m_restoredId = product.id;
    ProductData::m_changedPhotos.append(product.pics);
    postRecoverDelProdFunc();
}

void ChangeProducts::on_tableWidget_new_itemClicked(QTableWidgetItem* item)
{
    const int row = item->row();
    if (row < 0 || row >= m_addedProducts.size())
        return;
    m_addedRow = row;
    const Product product = m_addedProducts.at(row);
    switch (item->column()) {
    case AddedDelete:
        m_deletedAddedId = product.id;
        ProductData::m_changedPhotos.append(product.pics);
        postDelNewProdFunc();
        break;
    case AddedReplace:
        openReplacement(product);
        break;
    case AddedRemark:
        openRemarkEditor(row, item->column());
        break;
    default:
        break;
    }
}

void ChangeProducts::openReplacement(const Product& product)
{
    ProductData::oid = product.id;
    auto* dialog = new ReplaceOldProduct(nullptr);
    connect(dialog, &ReplaceOldProduct::refreshNewProducts, this, &ChangeProducts::on_newProducts);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(true);
    dialog->show();
}

void ChangeProducts::on_newItemButton_clicked()
{
    // Earlier add windows stay open on their own and go when closed; the latest also goes with this window.
    m_addWindow = new AddNewProducts(nullptr);
    m_addWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_addWindow, &AddNewProducts::refreshNewProducts, this, &ChangeProducts::on_newProducts);
    m_addWindow->show();
}

void ChangeProducts::on_confirmButton_clicked()
{
    if (m_isConfirmed)
        return;
    m_isConfirmed = true;
    m_confirmedProducts.clear();
    m_confirmedProducts.append(m_packageProducts);
    m_confirmedProducts.append(m_addedProducts);
    emit changeAllProducts(m_confirmedProducts);
    close();
}

// ---- Removals, restorations and deletions ----

void ChangeProducts::postDelOriProdFunc()
{
    postChange(Config::url_del_recover_product, packageChangeBody(m_deletedPackageId, QStringLiteral("1")));
}

void ChangeProducts::postRecoverDelProdFunc()
{
    postChange(Config::url_del_recover_product, packageChangeBody(m_restoredId, QStringLiteral("2")));
}

void ChangeProducts::postDelNewProdFunc()
{
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("uid"), Config::manager_id)
                                .add(QStringLiteral("ordergoodsid"), m_deletedAddedId)
                                .add(QStringLiteral("companyid"), Config::super_id)
                                .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                                .toByteArray();
    postChange(Config::url_del_new_product, body);
}

void ChangeProducts::postChange(const QString& url, const QByteArray& body)
{
    if (m_isChanging)
        return;
    m_isChanging = true;
    BackendPost::post(url, body, this, &ChangeProducts::queryChangeProdCallBack);
}

void ChangeProducts::queryChangeProdCallBack(const BackendReply& reply)
{
    if (reply.isSuccess()) {
        // Still changing until the reload has been answered.
        addPostData();
        return;
    }
    m_isChanging = false;
    if (reply.isNetworkError())
        BackendPost::showNetworkError(reply, true);
    else if (reply.isObject())
        ProductBox::show(QStringLiteral("警告"), QStringLiteral("修改产品错误：") + reply.message());
}

// ---- Remarks and service counts ----

void ChangeProducts::openRemarkEditor(int row, int column)
{
    const QTableWidgetItem* cell = ui->tableWidget_new->item(row, column);
    auto* editor = new ProductRequirement(nullptr);
    m_remarkEditor = editor;
    connect(editor, &ProductRequirement::productReq, this, &ChangeProducts::prodNewMarkAction);
    editor->setData(
        1, cell ? cell->text() : QString(), QString(), QString(), QString(), QString(), QString(), false, false);
    editor->setWindowModality(Qt::ApplicationModal);
    editor->show();
    m_remarkRow = row;
    m_remarkColumn = column;
    m_remarkProductId = m_addedProducts.at(row).id;
}

void ChangeProducts::prodNewMarkAction(QString text)
{
    // A reload may have rebuilt the table while the editor was open: the cell is the product's, wherever it is now.
    const int row = rowOf(m_addedProducts, m_remarkProductId, m_remarkRow);
    if (row >= 0) {
        QTableWidgetItem* cell = ui->tableWidget_new->item(row, m_remarkColumn);
        if (cell)
            cell->setText(text);
        else
            ui->tableWidget_new->setItem(row, m_remarkColumn, textItem(text, false));
    }
    HttpRequest* request = HttpRequest::startNetRequest(
        Config::url_add_newMark, productFieldBody(m_remarkProductId, QStringLiteral("remarks"), text), false);
    connect(request, &HttpRequest::netSuccessInfo, this, &ChangeProducts::replyAddNewMark);
}

void ChangeProducts::replyAddNewMark(QJsonObject reply)
{
    if (!ReplyCheck::isAccepted(reply))
        Prompt::information(this, QStringLiteral("提交失败"), QStringLiteral("添加备注失败，请重新尝试！"),
            QMessageBox::Ok, QMessageBox::Ok);
}

void ChangeProducts::servNumChgAction(QString num)
{
    const QObject* chooser = sender();
    bool hasRow = false;
    const int row = chooser ? chooser->property("tbRow").toInt(&hasRow) : -1;
    // Sub-product rows take no action.
    if (!hasRow || row < 0 || row >= m_packageProducts.size() || m_packageProducts.at(row).hasParent)
        return;
    setActionCells(row, num == Config::orderServNum);
    if (num.toInt() <= 0) {
        Prompt::information(
            this, QStringLiteral("提醒"), QStringLiteral("服务次数不能为0！"), QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_chg_prodServNum,
        productFieldBody(m_packageProducts.at(row).id, QStringLiteral("servicetime"), num), false);
    connect(request, &HttpRequest::netSuccessInfo, this, &ChangeProducts::replyChgServNum);
}

void ChangeProducts::replyChgServNum(QJsonObject reply)
{
    if (ReplyCheck::isAccepted(reply))
        Prompt::information(
            this, QStringLiteral("提交成功"), QStringLiteral("修改产品服务次数成功"), QMessageBox::Ok, QMessageBox::Ok);
    else
        Prompt::information(this, QStringLiteral("提交失败"), QStringLiteral("修改服务次数失败，请重新尝试！"),
            QMessageBox::Ok, QMessageBox::Ok);
}

// ---- Order information and payments ----

void ChangeProducts::initLeftFrame()
{
    m_infoTitle = new QLabel(QStringLiteral("订单信息："), ui->leftFrame);
    m_infoTitle->setProperty("secTitle", true);
    m_infoFrame = new QFrame(ui->leftFrame);
    m_infoFrame->setFrameShape(QFrame::NoFrame);
    initOrderInfo();
    m_payTitle = new QLabel(QStringLiteral("付款记录："), ui->leftFrame);
    m_payTitle->setProperty("secTitle", true);
    auto* separator = new QFrame(ui->leftFrame);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    m_payTable = new QTableWidget(5, 0, ui->leftFrame);
    m_payTable->setObjectName(QStringLiteral("payTable"));
    setUpTable(m_payTable,
        {{"付款类型", 150}, {"付款类别", 100}, {"金额", 150}, {"收款方式", 100}, {"时间", 200}, {"服务次数", 60}});

    m_leftLayout = new QVBoxLayout;
    m_leftLayout->addWidget(m_infoTitle);
    m_leftLayout->addWidget(m_infoFrame);
    m_leftLayout->addWidget(separator);
    m_leftLayout->addSpacing(10);
    m_leftLayout->addWidget(m_payTitle);
    m_leftLayout->addSpacing(5);
    m_leftLayout->addWidget(m_payTable);
    ui->leftFrame->setLayout(m_leftLayout);
    ui->leftFrame->setStyleSheet(QStringLiteral("QLabel[titleS=\"true\"]{font-size:14px;font-weight:bold;}"
                                                "QLabel{font-size:13px;}"
                                                "QLabel[secTitle=\"true\"]{font-size:20px;}"));
}

void ChangeProducts::initOrderInfo()
{
    m_infoGrid = new QGridLayout;
    // Decided once, as the window is built: the baby's name belongs to a baby photo order only.
    const bool hasBabyName = Config::user_type == QLatin1String("3");
    for (const InfoField& field : infoFields()) {
        if (field.field == QLatin1String(BabyNameField) && !hasBabyName)
            continue;
        auto* caption = new QLabel(QString::fromUtf8(field.caption), m_infoFrame);
        caption->setProperty("titleS", true);
        auto* value = new QLabel(m_infoFrame);
        value->setObjectName(field.field);
        m_infoGrid->addWidget(caption, field.row, field.column, Qt::AlignRight);
        m_infoGrid->addWidget(value, field.row, field.column + 1);
        m_infoValues.append(value);
    }
    m_infoFrame->setLayout(m_infoGrid);
}

void ChangeProducts::httpOrderPayInfo()
{
    const QByteArray body = FormBody()
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("companyid"), Config::super_id)
                                .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                                .toByteArray();
    qCDebug(lcProductChanges) << "url_get_orderPayInfo==" << Config::url_get_orderPayInfo;
    qCDebug(lcProductChanges) << "postData==" << FormBody::logText(body);
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_get_orderPayInfo, body, true);
    connect(request, &HttpRequest::netSuccessInfo, this, &ChangeProducts::replyOrderPay);
}

void ChangeProducts::replyOrderPay(QJsonObject reply)
{
    const OrderInfoReply info = OrderInfoReply::parse(reply);
    for (QLabel* value : qAsConst(m_infoValues))
        value->setText(info.value(value->objectName()));
    m_payments.append(info.payments);
    refreshPayTable();
}

void ChangeProducts::refreshPayTable()
{
    m_payTable->clearContents();
    m_payTable->setRowCount(m_payments.size());
    for (int row = 0; row < m_payments.size(); ++row) {
        const PayInfoModelStu& record = m_payments.at(row);
        const QString cells[]
            = {record.type, record.paytype, record.payfor, record.paymentname, record.createtime, record.servicetimes};
        for (int column = 0; column < 6; ++column)
            m_payTable->setItem(row, column, textItem(cells[column]));
    }
}
