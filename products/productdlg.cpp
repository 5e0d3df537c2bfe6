#include "products/productdlg.h"
#include "core/logging.h"
#include "ui_productdlg.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "photostore/thumbnailthread.h"
#include "delivery/seturgency.h"
#include "productchanges/changeproducts.h"
#include "products/consumptionremark.h"
#include "widgets/ordergoodsreply.h"
#include "widgets/productrequirement.h"
#include "products/settingnumber.h"
#include "products/settingpage.h"
#include "products/settingzhangshu.h"
#include "submit/submitandprint.h"
#include "upload/uploadphotolistdialog.h"
#include "widgets/droplistwidget.h"

#include <QAction>
#include <QCursor>
#include <QHash>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardItemModel>
#include <QThreadPool>
#include <QTimer>

// One field of a product that an editor writes: where it is posted, under which key, where it shows.
struct FieldEdit
{
    QString* url;
    const char* logLabel;
    const char* key;
    QString Product::*field;
    int column;
    const char* refusalPrefix;
    // A count: after a failed transfer the stock is updated and the products reloaded.
    bool isCount;
    // The quantity's post names the company before the user.
    bool isCompanyFirst;
};

namespace {

const int ColumnCount = 17;
const int NameColumn = 1;
const int NumberColumn = 4;
const int PageColumn = 6;
const int AddPageColumn = 7;
const int ZhangshuColumn = 8;
const int RequirementColumn = 9;
const int PrintColumn = 11;
const int ThumbnailColumn = 12;
const int ExpressColumn = 13;

const FieldEdit RequirementEdit {&Config::url_post_productreq, "url_post_productreq", "descr", &Product::descr,
    RequirementColumn, "提交制作要求错误：", false, false};
const FieldEdit PageEdit {
    &Config::url_post_page, "pnumberpost", "pnumber", &Product::goodpnumber, PageColumn, "上传P数错误：", true, false};
const FieldEdit AddPageEdit {&Config::url_post_addpage, "pnumberpostAddPage", "pnumber", &Product::p_num, AddPageColumn,
    "上传P数错误：", true, false};
const FieldEdit NumberEdit {
    &Config::url_post_number, "numberpost", "number", &Product::goodamount, NumberColumn, "提交数量错误：", true, true};
const FieldEdit ZhangshuEdit {&Config::url_post_zhangshu, "zhangshupost", "page", &Product::goodpagenumber,
    ZhangshuColumn, "提交张数错误：", true, false};

void ruleBox(const QString& text)
{
    Prompt::information(nullptr, QString(), text, QMessageBox::Yes, QMessageBox::Yes);
}

// The identifiers of the order, which the product query and the stock update send.
QByteArray orderBody()
{
    return FormBody::tokenBody({{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id},
        {"companyid", Config::super_id}, {"order_sample_infoid", Config::order_sample_infoid}});
}

int scaled(int pixels)
{
    return int(pixels * Config::scaleDpi);
}

QStandardItem* tickItem(bool ticked)
{
    auto* item = new QStandardItem(QString());
    item->setTextAlignment(Qt::AlignCenter);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    // Only the panel's own click handling toggles a tick.
    item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    return item;
}

// For each photo, the 1-based positions of the products that list it: the album panel's "用" marks of a photo change
// exactly when this changes.
QHash<QString, QList<int>> productPositions(const QList<Product>& products)
{
    QHash<QString, QList<int>> positions;
    for (int i = 0; i < products.size(); ++i)
        for (const QString& name : products.at(i).pics)
            positions[name].append(i + 1);
    return positions;
}

QStringList photosWithChangedMarks(const QList<Product>& before, const QList<Product>& after)
{
    const QHash<QString, QList<int>> old = productPositions(before);
    const QHash<QString, QList<int>> now = productPositions(after);
    QStringList changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (old.value(it.key()) != it.value())
            changed.append(it.key());
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        if (!now.contains(it.key()))
            changed.append(it.key());
    changed.sort();
    return changed;
}

} // namespace

ProductDlg::ProductDlg(QWidget* parent)
    : QDialog(parent)
    , seleType(0)
    , ui(new Ui::ProductDlg)
    , model(nullptr)
    , photoList(nullptr)
    , m_requireMenu(nullptr)
    , m_photoMenu(nullptr)
    , m_tableMenu(nullptr)
    , m_deleteAction(nullptr)
    , m_cutAction(nullptr)
    , m_pasteAction(nullptr)
    , m_clickTimer(nullptr)
    , currentRow(-1)
    , m_currentColumn(-1)
    , m_isCheckingStock(false)
    , m_isRemarkQuerying(false)
{
    ui->setupUi(this);

    model = new QStandardItemModel(this);
    static const char* const headers[ColumnCount] = {"编号", "名称", "类别", "工厂编号", "数量", "库存", "P数", "加P数",
        "张数", "制作要求", "加急", "打印", "缩略图", "快递", "发件", "替换备注", "授权备注(对外)"};
    static const int widths[ColumnCount] = {60, 200, 40, 60, 60, 40, 40, 40, 40, 150, 40, 40, 60, 40, 40, 150, 150};
    model->setColumnCount(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        model->setHorizontalHeaderItem(c, new QStandardItem(tr(headers[c])));
    ui->tableView->setModel(model);
    ui->tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < ColumnCount; ++c)
        ui->tableView->setColumnWidth(c, scaled(widths[c]));

    connect(ui->tableView, &QTableView::doubleClicked, this, &ProductDlg::doubleClickTable);
    connect(ui->tableView, &QTableView::clicked, this, &ProductDlg::selectRowR);
    ui->tableView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tableView, &QWidget::customContextMenuRequested, this, &ProductDlg::showTableMouseRightButton);

    m_pasteAction = new QAction(tr("粘贴照片"), this);
    connect(m_pasteAction, &QAction::triggered, this, &ProductDlg::tbCopyAction);
    m_tableMenu = new QMenu(ui->tableView);
    m_tableMenu->addAction(m_pasteAction);

    m_requireMenu = new QMenu();
    m_requireMenu->addAction(new QAction(tr("该产品制作要求"), m_requireMenu));
    m_requireMenu->addAction(new QAction(tr("总体制作要求"), m_requireMenu));
    ui->requireButton->setMenu(m_requireMenu);
    ui->requireButton->setStyleSheet(QStringLiteral("QPushButton::menu-indicator{image:None;}"));
    connect(m_requireMenu, &QMenu::triggered, this, &ProductDlg::onrequire_menu_Triggered);
    m_requireMenu->setFixedWidth(scaled(160));

    // The table goes under "统计", the photo list under the table.
    photoList = new DropListWidget(this);
    ui->verticalLayout->addWidget(ui->tableView);
    ui->verticalLayout->addWidget(photoList);
    connect(photoList, &DropListWidget::dropMessage, this, &ProductDlg::addToProduct);
    photoList->setAcceptDrops(true);
    photoList->setIconSize(QSize(1000, 1000));
    photoList->setResizeMode(QListView::Adjust);
    photoList->setViewMode(QListView::IconMode);
    // Drops only: a drag-only list would refuse the album panel's drops.
    photoList->setDragDropMode(QAbstractItemView::DropOnly);
    photoList->setSpacing(10);
    photoList->setContextMenuPolicy(Qt::CustomContextMenu);
    photoList->setTextElideMode(Qt::ElideLeft);
    photoList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(photoList, &QListWidget::itemClicked, this, &ProductDlg::selectItem);
    connect(photoList, &QWidget::customContextMenuRequested, this, &ProductDlg::showMouseRightButton);

    m_deleteAction = new QAction(tr("删除"), this);
    connect(m_deleteAction, &QAction::triggered, this, &ProductDlg::deletePhoto);
    m_photoMenu = new QMenu(photoList);
    m_photoMenu->addAction(m_deleteAction);
    m_cutAction = new QAction(tr("剪切照片"), this);
    connect(m_cutAction, &QAction::triggered, this, &ProductDlg::cutImgAction);
    m_photoMenu->addAction(m_cutAction);
    m_photoMenu->addAction(m_pasteAction);

    m_clickTimer = new QTimer(this);
    connect(m_clickTimer, &QTimer::timeout, this, &ProductDlg::handleSingleClickTable);

    queryProducts();
}

ProductDlg::~ProductDlg()
{
    delete m_requireMenu;
    delete ui;
}

// ---- Products load ----

void ProductDlg::post(const char* logLabel, const QString& url, const QByteArray& body, BackendPost::Handler handler)
{
    qCDebug(lcProducts).noquote() << logLabel << "url:" << url;
    qCDebug(lcProducts).noquote() << logLabel << "paras:" << FormBody::logText(body);
    BackendPost::post(url, body, this, handler);
}

void ProductDlg::queryProducts()
{
    loadProducts(nullptr);
}

void ProductDlg::loadProducts(std::function<void(bool)> afterLoad, bool isQuiet)
{
    post("prod info", Config::url_query_change_product, orderBody(),
        [this, afterLoad, isQuiet](const BackendReply& reply) {
            const bool isShown = queryCallBack(reply, isQuiet);
            if (afterLoad)
                afterLoad(isShown);
        });
}

bool ProductDlg::queryCallBack(const BackendReply& reply, bool isQuiet)
{
    if (reply.isNetworkError()) {
        if (isQuiet)
            qCDebug(lcProducts).noquote() << "products reload failed:" << reply.networkErrorText();
        else
            BackendPost::showNetworkError(reply, true);
        return false;
    }
    if (!reply.isObject())
        return false;
    const OrderGoodsReply goods = OrderGoodsReply::parse(reply.object);
    if (!goods.isAccepted) {
        if (isQuiet)
            qCDebug(lcProducts).noquote() << "products reload refused:" << goods.error;
        else
            ReplyCheck::warn(goods.error);
        return false;
    }
    Config::order_maxServNum = goods.maxServiceTime;
    refreshTabel(goods.products);
    setLocked();
    return true;
}

void ProductDlg::refreshTabel(QList<Product> list)
{
    const QList<Product> before = ProductData::m_products;
    ProductData::m_products = list;
    ++m_loadNumber;

    // The album panel's "用" marks are positions in the list: every photo whose positions changed (a product added,
    // removed or moved) is marked again, along with those changed in the product-change window.
    QStringList marked = ProductData::m_changedPhotos;
    ProductData::m_changedPhotos.clear();
    for (const QString& name : photosWithChangedMarks(before, list))
        if (!marked.contains(name))
            marked.append(name);
    if (!marked.isEmpty())
        emit updateImage(marked);

    model->removeRows(0, model->rowCount());
    model->setRowCount(list.size());
    for (int r = 0; r < list.size(); ++r)
        setRow(r, list.at(r));
    ui->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);

    // A shorter list leaves no product at the old row: nothing may read it any more.
    if (!isProductRow(currentRow)) {
        currentRow = -1;
        photoList->clear();
    }
}

QString ProductDlg::productNameText(const Product& product)
{
    QString text = product.goodname + QLatin1Char('(') + QString::number(product.pics.size()) + QLatin1Char(')');
    if (product.isType4)
        text.prepend(QStringLiteral("选片产品--"));
    if (product.hasParent)
        text.prepend(QStringLiteral("-->"));
    return text;
}

void ProductDlg::setRow(int r, const Product& p)
{
    const bool isAlbum = p.goodtypeid == QLatin1String("33");
    const bool isUrgent = p.isurgent != QLatin1String("0");
    const QString texts[] = {p.number, productNameText(p), p.goodtype, p.factorykeyx, p.goodamount, p.stock,
        isAlbum ? p.goodpnumber : QString(), isAlbum ? p.p_num : QString(), isAlbum ? p.goodpagenumber : QString(),
        p.descr};
    for (int c = 0; c < 10; ++c)
        model->setItem(r, c, new QStandardItem(texts[c]));
    if (!p.hasParent) {
        if (isUrgent)
            model->item(r, 9)->setForeground(QColor(255, 0, 0));
        model->setItem(r, 10, new QStandardItem(isUrgent ? tr("是") : tr("否")));
        model->setItem(r, 11, tickItem(p.print));
        model->setItem(r, 12, tickItem(p.thumbnail));
        model->setItem(r, 13, tickItem(p.isems));
    } else {
        model->setItem(r, 10, new QStandardItem(QString()));
    }
    auto* sent = new QStandardItem(p.sentToFactory ? tr("是") : tr("否"));
    if (p.sentToFactory)
        sent->setForeground(QColor(Qt::red));
    model->setItem(r, 14, sent);
    model->setItem(r, 15, new QStandardItem(p.source_remarks));
    model->setItem(r, 16, new QStandardItem(p.auth_remark));
}

void ProductDlg::refreshProduct(int mode)
{
    photoList->clear();
    // One after the other: the reload must see the stock update applied, and the stock check (mode 1) must judge
    // the reloaded products, whose print set it takes.
    const bool isChecking = mode == 1 && !m_isCheckingStock;
    if (isChecking)
        m_isCheckingStock = true;
    post("mod stock", Config::url_post_modifystock, orderBody(), [this, isChecking](const BackendReply& reply) {
        queryModifyStockCallBack(reply);
        if (!isChecking) {
            queryProducts();
            return;
        }
        loadProducts([this](bool isShown) {
            // A failed reload has shown its box; the operator submits again with "提交选片结果".
            if (isShown)
                queryCheckStock();
            else
                m_isCheckingStock = false;
        });
    });
}

void ProductDlg::postModifyStock(bool isQuiet)
{
    post("mod stock", Config::url_post_modifystock, orderBody(),
        [this, isQuiet](const BackendReply& reply) { queryModifyStockCallBack(reply, isQuiet); });
}

void ProductDlg::queryModifyStockCallBack(const BackendReply& reply, bool isQuiet)
{
    // Whatever the code, nothing is shown: only a failed transfer is worth a word.
    if (reply.isNetworkError() && !isQuiet)
        BackendPost::showNetworkError(reply, true);
    else
        qCDebug(lcProducts) << "modify stock code" << reply.code();
}

// ---- Lock and keys ----

void ProductDlg::setLocked()
{
    if (!Config::isLocked)
        return;
    ui->pushButton->setEnabled(false);
    ui->requireButton->setEnabled(false);
    ui->urgentButton->setEnabled(false);
    ui->pb_xfsm->setEnabled(false);
    photoList->setContextMenuPolicy(Qt::NoContextMenu);
    photoList->setMovement(QListView::Static);
}

void ProductDlg::onSetLocked()
{
    emit sendSetLocked();
}

void ProductDlg::keyPressEvent(QKeyEvent* event)
{
    const int modifier = Config::shotCutKey[12];
    const int key = Config::shotCutKey[13];
    if (event->key() == key && (modifier == 0 || int(event->modifiers()) == modifier))
        emit changeView();
    // Nothing is passed on: Escape must not close the panel out of the workspace.
}

void ProductDlg::paintEvent(QPaintEvent*)
{
}

// ---- Table clicks ----

bool ProductDlg::isProductRow(int row) const
{
    return row >= 0 && row < ProductData::m_products.size();
}

void ProductDlg::selectRowR(const QModelIndex& index)
{
    currentRow = index.row();
    m_currentColumn = index.column();
    m_clickTimer->setSingleShot(true);
    m_clickTimer->start(0);
    qCDebug(lcProducts) << "点击了";
    currentRow = ui->tableView->currentIndex().row();
    if (Config::isLocked || m_currentColumn != ExpressColumn || !isProductRow(currentRow))
        return;
    Product& product = ProductData::m_products[currentRow];
    if (product.hasParent || product.sentToFactory)
        return;
    product.isems = !product.isems;
    const QString id = product.id;
    const bool isems = product.isems;
    model->setItem(currentRow, ExpressColumn, tickItem(isems));
    partEmsProduct(productRef(currentRow), id, isems ? QStringLiteral("1") : QStringLiteral("2"));
}

void ProductDlg::handleSingleClickTable()
{
    qCDebug(lcProducts) << "单击了";
    refreshList(currentRow);
    if (!isProductRow(currentRow))
        return;
    Product& product = ProductData::m_products[currentRow];
    if (product.sentToFactory || product.hasParent)
        return;
    bool ticked = false;
    switch (m_currentColumn) {
    case PrintColumn:
        ticked = product.print = !product.print;
        break;
    case ThumbnailColumn:
        ticked = product.thumbnail = !product.thumbnail;
        break;
    case ExpressColumn:
        ticked = product.isems;
        break;
    default:
        return;
    }
    model->setItem(currentRow, m_currentColumn, tickItem(ticked));
}

void ProductDlg::doubleClickTable(const QModelIndex& index)
{
    qCDebug(lcProducts) << "双击了";
    m_clickTimer->stop();
    qCDebug(lcProducts) << "isLocked===" << Config::isLocked;
    if (Config::isLocked)
        return;
    if (isProductRow(currentRow) && ProductData::m_products.at(currentRow).sentToFactory)
        return;
    currentRow = ui->tableView->currentIndex().row();
    qCDebug(lcProducts) << "selectRow===" << currentRow;
    if (!isProductRow(currentRow))
        return;
    const Product product = ProductData::m_products.at(currentRow);
    qCDebug(lcProducts) << "isSendtofactory===" << product.sentToFactory << "goodTypeID===" << product.goodtypeid;
    if (product.sentToFactory)
        return;
    const bool isAlbum = product.goodtypeid == QLatin1String("33");
    const ProductRef ref = productRef(currentRow);
    switch (index.column()) {
    case NumberColumn:
        if (product.isexist || product.hasParent)
            return;
        m_settingNumber = new SettingNumber(nullptr);
        connect(m_settingNumber, &SettingNumber::sendNumber, this,
            [this, ref](const QString& number) { on_newNumber(ref, number); });
        showAtCursor(m_settingNumber.data());
        break;
    case PageColumn:
        if (!isAlbum || !Config::isPnumEdit)
            return;
        m_settingPage = new SettingPage(nullptr);
        connect(
            m_settingPage, &SettingPage::sendPage, this, [this, ref](const QString& page) { on_newPage(ref, page); });
        showAtCursor(m_settingPage.data());
        break;
    case AddPageColumn:
        if (!isAlbum)
            return;
        m_settingPage = new SettingPage(nullptr);
        m_settingPage->setAddPageInfo();
        connect(m_settingPage, &SettingPage::sendAddPage, this,
            [this, ref](const QString& page) { on_newAddPage(ref, page); });
        showAtCursor(m_settingPage.data());
        break;
    case ZhangshuColumn:
        if (!isAlbum)
            return;
        m_settingZhangshu = new SettingZhangshu(nullptr);
        connect(m_settingZhangshu, &SettingZhangshu::sendZhangshu, this,
            [this, ref](const QString& zhangshu) { on_newZhangshu(ref, zhangshu); });
        showAtCursor(m_settingZhangshu.data());
        break;
    case RequirementColumn: {
        qCDebug(lcProducts) << "点制作要求goodTypeID" << product.goodtypeid;
        auto* editor = new ProductRequirement(nullptr);
        connectRequirement(editor, ref);
        editor->setProData(0, product);
        editor->show();
        break;
    }
    default:
        break;
    }
}

template <typename Editor> void ProductDlg::showAtCursor(Editor* editor)
{
    editor->move(QCursor::pos());
    editor->show();
}

void ProductDlg::showTableMouseRightButton(const QPoint)
{
    m_pasteAction->setEnabled(!m_cutNames.isEmpty());
    // The row's photos are shown as for a click, but a right click toggles no tick and posts nothing: the column
    // of the last left click must not be acted on again.
    currentRow = ui->tableView->currentIndex().row();
    m_currentColumn = -1;
    m_clickTimer->setSingleShot(true);
    m_clickTimer->start(0);
    m_tableMenu->exec(QCursor::pos());
}

// ---- Photo list ----

void ProductDlg::showDefaultThumb(QStringList names)
{
    photoList->clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem();
        item->setTextAlignment(Qt::AlignBottom);
        if (Config::isShowThumbName) {
            item->setText(name);
            item->setSizeHint(QSize(100, 130));
        } else {
            item->setSizeHint(QSize(100, 101));
        }
        item->setToolTip(name);
        photoList->addItem(item);
    }
}

void ProductDlg::startThumbJob(const QString& name, int index)
{
    // A product may hold "X.JPG" where the album lists "X.jpg": the stored name first.
    ImageData* images = ImageData::getInstance();
    Image photo = images->getFineImage(name, SELE_ALL);
    if (photo.GetImageName().isEmpty())
        photo = images->getFineImage(FileOperation::getFileName(name), SELE_ALL);
    QThreadPool::globalInstance()->start(new ThumbnailThread(photo, index, currentRow, this), 0);
}

void ProductDlg::refreshList(int row)
{
    if (!isProductRow(row))
        return;
    const Product& p = ProductData::m_products.at(row);
    showDefaultThumb(p.pics);
    emit updateImage(p.pics);
    // A receiver of the signal may have replaced the list: the row is checked again.
    if (!isProductRow(row))
        return;
    const QStringList pics = ProductData::m_products.at(row).pics;
    for (int i = 0; i < pics.size(); ++i)
        startThumbJob(pics.at(i), i);
    if (QStandardItem* cell = model->item(row, NameColumn))
        cell->setText(productNameText(ProductData::m_products.at(row)));
}

void ProductDlg::refreshList(int row, QStringList names, bool)
{
    if (!isProductRow(row))
        return;
    for (const QString& name : names) {
        auto* item = new QListWidgetItem();
        if (Config::isShowThumbName) {
            item->setText(name);
            item->setSizeHint(QSize(100, 120));
        } else {
            item->setSizeHint(QSize(100, 101));
        }
        item->setTextAlignment(Qt::AlignBottom);
        item->setToolTip(name);
        photoList->addItem(item);
    }
    emit updateImage(ProductData::m_products.at(row).pics);
    if (!isProductRow(row))
        return;
    const QStringList pics = ProductData::m_products.at(row).pics;
    for (int i = 0; i < pics.size(); ++i)
        if (names.contains(pics.at(i)))
            startThumbJob(pics.at(i), i);
    if (QStandardItem* cell = model->item(row, NameColumn))
        cell->setText(productNameText(ProductData::m_products.at(row)));
}

void ProductDlg::refreshList()
{
    const int row = ui->tableView->currentIndex().row();
    qCDebug(lcProducts) << "刷新第" << row << "行的缩略图";
    if (row != -1)
        refreshList(row);
}

void ProductDlg::updateThumbIcon(int row, int pic, QPixmap pixmap, int)
{
    if (row != currentRow) {
        qCDebug(lcProducts) << "budengyu";
        return;
    }
    if (pic >= 0 && pic < photoList->count())
        photoList->item(pic)->setIcon(pixmap);
    else
        qCDebug(lcProducts) << "chaochu";
}

void ProductDlg::selectItem(QListWidgetItem* item)
{
    if (!item)
        return;
    // The name as the product stores it first: the album may hold "X.JPG" as it is.
    const QString stored = item->toolTip();
    ImageData* images = ImageData::getInstance();
    const SELETYPE filter = SELETYPE(seleType);
    if (images->setIterator(stored, filter)) {
        emit showImage();
        return;
    }
    const QString normalised = FileOperation::getFileName(stored);
    if (normalised != stored && images->setIterator(normalised, filter))
        emit showImage();
}

QStringList ProductDlg::getSelectedItems() const
{
    QStringList names;
    for (const QListWidgetItem* item : photoList->selectedItems())
        names.append(item->toolTip());
    return names;
}

void ProductDlg::showMouseRightButton(const QPoint)
{
    const bool hasSelection = !getSelectedItems().isEmpty();
    m_deleteAction->setEnabled(hasSelection);
    m_cutAction->setEnabled(hasSelection);
    m_pasteAction->setEnabled(!m_cutNames.isEmpty());
    m_photoMenu->exec(QCursor::pos());
}

// ---- Photo assignment ----

void ProductDlg::setPicNames(QStringList& names)
{
    qCDebug(lcProducts) << "准备添加到产品的照片" << names;
    picNames = names;
}

bool ProductDlg::addToProductDuge()
{
    currentRow = ui->tableView->currentIndex().row();
    if (!isProductRow(currentRow)) {
        ruleBox(QStringLiteral("请选择一项产品"));
        return false;
    }
    const Product& product = ProductData::m_products.at(currentRow);
    if (product.sentToFactory) {
        ruleBox(QStringLiteral("产品已发件，不可修改"));
        return false;
    }
    // A package takes its photos through its sub-products.
    return !product.isexist;
}

void ProductDlg::addToProduct()
{
    if (!addToProductDuge())
        return;
    emit getPicNamelist();
    addToProductStart();
}

void ProductDlg::addToProduct1()
{
    if (addToProductDuge())
        addToProductStart();
}

void ProductDlg::addToProductStart()
{
    // The album panel answered on this thread; a reload cannot have come in between, but the row is the list's.
    if (!isProductRow(currentRow))
        return;
    const QStringList names = excludeExistedPics(picNames);
    const int row = currentRow;
    ProductData::m_products[row].pics += names;
    const QString key = picPostKey(row);
    const Product product = ProductData::m_products.at(row);
    refreshList(row, names, true);
    postProPic(key, product);
}

QStringList ProductDlg::excludeExistedPics(QStringList names)
{
    if (!isProductRow(currentRow))
        return QStringList();
    const QStringList pics = ProductData::m_products.at(currentRow).pics;
    QStringList existing;
    const QStringList asked = names;
    for (const QString& name : asked) {
        for (const QString& pic : pics) {
            if (pic == name) {
                existing.append(name);
                names.removeOne(name);
            }
        }
    }
    if (!existing.isEmpty()) {
        QString text = QStringLiteral("以下照片在该产品中已存在\n");
        for (const QString& name : existing)
            text += name + QLatin1Char(',');
        Prompt::information(nullptr, QStringLiteral("照片已存在"), text, QMessageBox::Yes);
    }
    return names;
}

void ProductDlg::tbCopyAction()
{
    currentRow = ui->tableView->currentIndex().row();
    if (!isProductRow(currentRow)) {
        ruleBox(QStringLiteral("请选择一项产品"));
        return;
    }
    if (ProductData::m_products.at(currentRow).sentToFactory) {
        ruleBox(QStringLiteral("产品已发件，不可修改"));
        return;
    }
    const int row = currentRow;
    const QStringList names = excludeExistedPics(m_cutNames);
    ProductData::m_products[row].pics += names;
    const QString key = picPostKey(row);
    const Product product = ProductData::m_products.at(row);
    refreshList(row, names, true);
    postProPic(key, product);
}

void ProductDlg::deletePhoto()
{
    currentRow = ui->tableView->currentIndex().row();
    const QStringList names = getSelectedItems();
    if (names.isEmpty() || !isProductRow(currentRow))
        return;
    if (ProductData::m_products.at(currentRow).sentToFactory) {
        ruleBox(QStringLiteral("产品已发件，不可修改"));
        return;
    }
    const int row = currentRow;
    QStringList& pics = ProductData::m_products[row].pics;
    for (const QString& name : names) {
        // The entry as stored first; else the same file with its extension in another case.
        int at = pics.indexOf(name);
        if (at < 0) {
            const QString file = FileOperation::getFileName(name);
            for (int i = 0; i < pics.size() && at < 0; ++i)
                if (FileOperation::getFileName(pics.at(i)) == file)
                    at = i;
        }
        if (at >= 0)
            pics.removeAt(at);
    }
    const QString key = picPostKey(row);
    const Product product = ProductData::m_products.at(row);
    emit updateImage(names);
    refreshList(row);
    postProPic(key, product);
}

void ProductDlg::cutImgAction()
{
    currentRow = ui->tableView->currentIndex().row();
    if (!isProductRow(currentRow))
        return;
    if (ProductData::m_products.at(currentRow).sentToFactory) {
        ruleBox(QStringLiteral("产品已发件，不可修改"));
        return;
    }
    m_cutNames = getSelectedItems();
    deletePhoto();
}

void ProductDlg::postProPic(const QString& key, const Product& product)
{
    m_picListsWaiting.insert(key, PendingPics {product.id, product.pics});
    if (!m_picPostsOut.contains(key))
        sendProPic(key);
}

void ProductDlg::sendProPic(const QString& key)
{
    const PendingPics pending = m_picListsWaiting.take(key);
    m_picPostsOut.insert(key);
    const QByteArray body = FormBody::tokenBody({{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id},
        {"uid", Config::manager_id}, {"id", pending.id}, {"companyid", Config::super_id},
        {"order_sample_infoid", Config::order_sample_infoid}, {"picpath", pending.pics.join(QLatin1Char('|'))}});
    post("prod picpath", Config::url_post_productpicpath, body,
        [this, key](const BackendReply& reply) { queryPostPicCallBack(key, reply); });
}

void ProductDlg::queryPostPicCallBack(const QString& key, const BackendReply& reply)
{
    m_picPostsOut.remove(key);
    // The latest list goes before any box: a box must not hold it back.
    if (m_picListsWaiting.contains(key))
        sendProPic(key);
    ReplyCheck::acceptOrWarn(reply, QStringLiteral("提交图片路径错误："));
}

// ---- Field edits ----

ProductDlg::ProductRef ProductDlg::productRef(int row) const
{
    return ProductRef {m_loadNumber, row, ProductData::m_products.at(row).id};
}

int ProductDlg::rowOfUniqueId(const QString& id) const
{
    if (id.isEmpty())
        return -1;
    int found = -1;
    for (int row = 0; row < ProductData::m_products.size(); ++row) {
        if (ProductData::m_products.at(row).id != id)
            continue;
        if (found >= 0)
            return -1;
        found = row;
    }
    return found;
}

int ProductDlg::rowOfEditedProduct(const ProductRef& ref) const
{
    // The list may also have been replaced by another window; the id tells whether the row still holds the product.
    if (ref.load == m_loadNumber && isProductRow(ref.row) && ProductData::m_products.at(ref.row).id == ref.id)
        return ref.row;
    const int row = rowOfUniqueId(ref.id);
    if (row < 0)
        ruleBox(QStringLiteral("请选择一项产品"));
    return row;
}

QString ProductDlg::picPostKey(int row) const
{
    const QString& id = ProductData::m_products.at(row).id;
    if (rowOfUniqueId(id) == row)
        return QStringLiteral("id:") + id;
    return QStringLiteral("row:%1:%2").arg(m_loadNumber).arg(row);
}

void ProductDlg::on_newNumber(const ProductRef& ref, const QString& number)
{
    editField(NumberEdit, ref, number);
}

void ProductDlg::on_newPage(const ProductRef& ref, const QString& page)
{
    editField(PageEdit, ref, page);
}

void ProductDlg::on_newAddPage(const ProductRef& ref, const QString& page)
{
    editField(AddPageEdit, ref, page);
}

void ProductDlg::on_newZhangshu(const ProductRef& ref, const QString& zhangshu)
{
    editField(ZhangshuEdit, ref, zhangshu);
}

struct ProductDlg::FieldSave
{
    struct Part
    {
        const FieldEdit* edit;
        QString value;
        QString before;  // the field's value when the save began
        QString failure; // the box text of its reply; empty when accepted
    };
    ProductRef ref; // the product in the load the save was made in
    QList<Part> parts;
    int outstanding = 0;
};

void ProductDlg::editField(const FieldEdit& edit, const ProductRef& ref, const QString& value)
{
    const int row = rowOfEditedProduct(ref);
    if (row < 0)
        return;
    auto save = std::make_shared<FieldSave>();
    save->ref = productRef(row);
    QString& field = ProductData::m_products[row].*edit.field;
    save->parts.append(FieldSave::Part {&edit, value, field, QString()});
    save->outstanding = 1;
    field = value;
    setFieldCell(row, edit, value);
    postField(save, 0);
}

void ProductDlg::setFieldCell(int row, const FieldEdit& edit, const QString& value)
{
    // The page counts show only for albums, as the load shows them.
    const bool isPageCount = edit.column >= PageColumn && edit.column <= ZhangshuColumn;
    const bool isAlbum = ProductData::m_products.at(row).goodtypeid == QLatin1String("33");
    auto* item = new QStandardItem(isPageCount && !isAlbum ? QString() : value);
    if (edit.isCount)
        item->setTextAlignment(Qt::AlignCenter);
    model->setItem(row, edit.column, item);
}

void ProductDlg::on_ProductReq(const ProductRef& ref, const QString& productReq, const QString& page,
    const QString& number, const QString& zhangshu, const QString& addpage)
{
    const int row = rowOfEditedProduct(ref);
    if (row < 0)
        return;
    auto save = std::make_shared<FieldSave>();
    save->ref = productRef(row);
    // In the order they are posted.
    const QList<QPair<const FieldEdit*, QString>> edits {{&RequirementEdit, productReq}, {&PageEdit, page},
        {&AddPageEdit, addpage}, {&NumberEdit, number}, {&ZhangshuEdit, zhangshu}};
    for (const auto& edit : edits) {
        QString& field = ProductData::m_products[row].*edit.first->field;
        save->parts.append(FieldSave::Part {edit.first, edit.second, field, QString()});
        field = edit.second;
        setFieldCell(row, *edit.first, edit.second);
    }
    save->outstanding = save->parts.size();
    for (int part = 0; part < save->parts.size(); ++part)
        postField(save, part);
}

void ProductDlg::postField(const std::shared_ptr<FieldSave>& save, int part)
{
    const FieldEdit& edit = *save->parts.at(part).edit;
    FormBody body = FormBody::withToken();
    body.add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("id"), save->ref.id)
        .add(QLatin1String(edit.key), save->parts.at(part).value);
    if (edit.isCompanyFirst)
        body.add(QStringLiteral("companyid"), Config::super_id).add(QStringLiteral("uid"), Config::manager_id);
    else
        body.add(QStringLiteral("uid"), Config::manager_id).add(QStringLiteral("companyid"), Config::super_id);
    body.add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid);
    post(edit.logLabel, *edit.url, body.toByteArray(),
        [this, save, part](const BackendReply& reply) { queryPostFieldCallBack(save, part, reply); });
}

void ProductDlg::queryPostFieldCallBack(const std::shared_ptr<FieldSave>& save, int part, const BackendReply& reply)
{
    FieldSave::Part& answered = save->parts[part];
    answered.failure = ReplyCheck::notAcceptedText(reply, QString::fromUtf8(answered.edit->refusalPrefix));
    if (--save->outstanding > 0)
        return;
    // One box for the save however many of its posts failed (each text once, in the order posted), one reload.
    QStringList texts;
    for (const FieldSave::Part& each : qAsConst(save->parts))
        if (!each.failure.isEmpty() && !texts.contains(each.failure))
            texts.append(each.failure);
    if (texts.isEmpty())
        return;
    ReplyCheck::warn(texts.join(QLatin1Char('\n')));
    bool isCount = false;
    for (const FieldSave::Part& each : qAsConst(save->parts)) {
        if (each.failure.isEmpty())
            continue;
        restoreField(save->ref, *each.edit, each.value, each.before);
        isCount = isCount || each.edit->isCount;
    }
    reloadAfterFailedSave(isCount);
}

void ProductDlg::restoreField(
    const ProductRef& ref, const FieldEdit& edit, const QString& posted, const QString& before)
{
    // A reload since, or a later edit of the field, knows better than the value before this save.
    if (ref.load != m_loadNumber || !isProductRow(ref.row) || ProductData::m_products.at(ref.row).id != ref.id)
        return;
    QString& field = ProductData::m_products[ref.row].*edit.field;
    if (field != posted)
        return;
    field = before;
    setFieldCell(ref.row, edit, before);
}

void ProductDlg::reloadAfterFailedSave(bool isCount)
{
    // The back end may or may not hold what was posted (a reply that cannot be read may follow a write): the table
    // and the products show what it holds. The value before the save stands until then, also if the reload fails.
    if (isCount)
        postModifyStock(true);
    loadProducts(nullptr, true);
}

void ProductDlg::connectRequirement(ProductRequirement* editor, const ProductRef& ref)
{
    connect(editor, &ProductRequirement::productReq, this,
        [this, ref](const QString& req, const QString& page, const QString& number, const QString& zhangshu,
            const QString& addPage) { on_ProductReq(ref, req, page, number, zhangshu, addPage); });
}

void ProductDlg::onrequire_menu_Triggered(QAction* action)
{
    if (action != m_requireMenu->actions().value(0)) {
        queryAllReq();
        return;
    }
    currentRow = ui->tableView->currentIndex().row();
    if (!isProductRow(currentRow)) {
        ruleBox(QStringLiteral("请选择一项产品"));
        return;
    }
    const Product product = ProductData::m_products.at(currentRow);
    if (product.sentToFactory) {
        ruleBox(QStringLiteral("该产品已发件，无法添加制作要求"));
        return;
    }
    auto* editor = new ProductRequirement(nullptr);
    connectRequirement(editor, productRef(currentRow));
    editor->setData(0, product.descr, product.goodpnumber, product.goodamount, product.goodpagenumber,
        product.goodtypeid, product.p_num, product.isexist, product.hasParent);
    editor->show();
}

// ---- Overall requirement ----

void ProductDlg::queryAllReq()
{
    BackendPost::post(Config::url_query_orderdescr, orderBody(), this, &ProductDlg::queryAllReqCallBack);
}

void ProductDlg::queryAllReqCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询总体要求错误：")))
        return;
    const QJsonValue text = reply.object.value(QStringLiteral("orderdescr"));
    auto* editor = new ProductRequirement(nullptr);
    // Bound to the order: whatever else is open, this editor's text is the overall requirement.
    connect(editor, &ProductRequirement::productReq, this, [this](const QString& req) { on_AllProductReq(req); });
    editor->setData(1, text.isString() ? text.toString() : QString(), QString(), QString(), QString(), QString(),
        QString(), false, false);
    editor->show();
}

void ProductDlg::on_AllProductReq(const QString& allProductReq)
{
    const QString before = ProductData::all_product_requirement;
    ProductData::all_product_requirement = allProductReq;
    ++m_allReqEdits;
    postAllProductReq(before);
}

void ProductDlg::postAllProductReq(const QString& before)
{
    const QString posted = ProductData::all_product_requirement;
    const QByteArray body = FormBody::tokenBody({{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id},
        {"orderdescr", posted}, {"companyid", Config::super_id}, {"uid", Config::manager_id},
        {"order_sample_infoid", Config::order_sample_infoid}});
    post("allprod req", Config::url_post_allproductreq, body,
        [this, posted, before](const BackendReply& reply) { queryPostAllProdReqCallBack(posted, before, reply); });
}

void ProductDlg::queryPostAllProdReqCallBack(const QString& posted, const QString& before, const BackendReply& reply)
{
    if (ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("提交总体要求错误：")))
        return;
    // The sheets read it: the text before, until the back end's comes (unless a later edit replaced it).
    if (ProductData::all_product_requirement == posted)
        ProductData::all_product_requirement = before;
    reloadAllReq();
}

void ProductDlg::reloadAllReq()
{
    const int edits = m_allReqEdits;
    BackendPost::post(Config::url_query_orderdescr, orderBody(), this, [this, edits](const BackendReply& reply) {
        if (!ReplyCheck::isAccepted(reply)) {
            qCDebug(lcProducts).noquote() << "overall requirement reload failed:" << reply.failureText(QString());
            return;
        }
        if (edits != m_allReqEdits)
            return;
        const QJsonValue text = reply.object.value(QStringLiteral("orderdescr"));
        ProductData::all_product_requirement = text.isString() ? text.toString() : QString();
    });
}

// ---- Express flag ----

void ProductDlg::partEmsProduct(const ProductRef& ref, QString ordergoodid, QString typeId)
{
    const bool posted = typeId == QLatin1String("1");
    const QByteArray body = FormBody::tokenBody({{"ordergoodid", ordergoodid}, {"typeid", typeId},
        {"companyid", Config::super_id}, {"order_sample_infoid", Config::order_sample_infoid}});
    post("isEms", Config::url_query_ispartems, body,
        [this, ref, posted](const BackendReply& reply) { queryPostIsPartCallBack(ref, posted, reply); });
}

void ProductDlg::queryPostIsPartCallBack(const ProductRef& ref, bool posted, const BackendReply& reply)
{
    if (ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("提交数量错误：")))
        return;
    // The tick shows what the back end holds, not what it did not take: the flag before the click, then the
    // reload's.
    if (ref.load == m_loadNumber && isProductRow(ref.row)) {
        Product& product = ProductData::m_products[ref.row];
        if (product.id == ref.id && product.isems == posted) {
            product.isems = !posted;
            model->setItem(ref.row, ExpressColumn, tickItem(product.isems));
        }
    }
    reloadAfterFailedSave(false);
}

// ---- Submission gate ----

void ProductDlg::on_submitButton_clicked()
{
    if (m_isCheckingStock)
        return;
    m_isCheckingStock = true;
    queryCheckStock();
}

void ProductDlg::queryCheckStock()
{
    post("check stock", Config::url_post_promptstock, orderBody(),
        [this](const BackendReply& reply) { queryCheckStockCallBack(reply); });
}

void ProductDlg::queryCheckStockCallBack(const BackendReply& reply)
{
    m_isCheckingStock = false;
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        return;
    }
    if (!reply.isObject())
        return;
    qCDebug(lcProducts).noquote() << "check stock info:" << QJsonDocument(reply.object).toJson(QJsonDocument::Indented);
    if (!reply.isSuccess()) {
        // The back end's own words (short stock and the like), without a prefix.
        ReplyCheck::warn(reply.message());
        return;
    }
    ProductData::m_printProducts.clear();
    for (const Product& product : qAsConst(ProductData::m_products))
        if (product.print)
            ProductData::m_printProducts.append(product);

    if (Config::isLocked || !Config::isUpOss) {
        openSubmitDialog();
        return;
    }
    auto* upload = new UploadPhotoListDialog(nullptr);
    connect(upload, &UploadPhotoListDialog::upLoadSuccess, this, &ProductDlg::uploadSuccessedSlot);
    upload->setModal(true);
    upload->setAttribute(Qt::WA_DeleteOnClose);
    upload->show();
}

void ProductDlg::uploadSuccessedSlot()
{
    openSubmitDialog();
}

void ProductDlg::openSubmitDialog()
{
    auto* submit = new SubmitandPrint(nullptr);
    const QSize size(scaled(1200), scaled(300));
    submit->setMinimumSize(size);
    submit->setMaximumSize(size);
    connect(submit, &SubmitandPrint::sendSetLocked, this, &ProductDlg::onSetLocked);
    submit->setModal(true);
    submit->setAttribute(Qt::WA_DeleteOnClose);
    submit->show();
}

// ---- Urgency and product changes ----

void ProductDlg::on_urgentButton_clicked()
{
    auto* urgency = new SetUrgency(nullptr);
    connect(urgency, &SetUrgency::refreshOriTable, this, &ProductDlg::on_newUrgency);
    urgency->setAttribute(Qt::WA_DeleteOnClose);
    urgency->show();
}

void ProductDlg::on_newUrgency()
{
    queryProducts();
}

void ProductDlg::on_pushButton_clicked()
{
    auto* changes = new ChangeProducts(nullptr);
    connect(changes, &ChangeProducts::changeAllProducts, this, &ProductDlg::on_newProducts);
    changes->setAttribute(Qt::WA_DeleteOnClose);
    changes->showNormal();
}

void ProductDlg::on_newProducts(QList<Product> products)
{
    // The window's list is not used: the back end's is the one shown.
    Q_UNUSED(products)
    photoList->clear();
    qCDebug(lcProducts) << "on_newProducts";
    queryProducts();
}

// ---- Consumption statement ----

void ProductDlg::on_pb_xfsm_clicked()
{
    if (m_isRemarkQuerying)
        return;
    m_isRemarkQuerying = true;
    BackendPost::post(Config::url_consumremark_req, orderBody(), this, &ProductDlg::queryConsumRemarkCallBack);
}

void ProductDlg::queryConsumRemarkCallBack(const BackendReply& reply)
{
    m_isRemarkQuerying = false;
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询总体要求错误：")))
        return;
    qCDebug(lcProducts) << "消费说明" << reply.object;
    const QMap<QString, QString> remarkInfo {{QStringLiteral("token"), Config::token},
        {QStringLiteral("order_photo_id"), Config::order_id}, {QStringLiteral("shopid"), Config::shop_id},
        {QStringLiteral("companyid"), Config::super_id},
        {QStringLiteral("order_sample_infoid"), Config::order_sample_infoid},
        {QStringLiteral("consumption_statement"),
            reply.object.value(QStringLiteral("consumption_statement")).toString()}};
    auto* editor = new ConsumptionRemark(nullptr);
    editor->refreshRemark(remarkInfo);
    editor->show();
}
