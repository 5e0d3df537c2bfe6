#include "products/productdlg.h"
#include "ui_productdlg.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "photostore/thumbnailthread.h"
#include "products/ordergoodsreply.h"
#include "workspace/droplistwidget.h"

#include <QAction>
#include <QCursor>
#include <QDebug>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardItemModel>
#include <QThreadPool>
#include <QTimer>

namespace {

const int ColumnCount = 17;
const int NameColumn = 1;

// The reply boxes of the panel: title "警告", one Yes button.
void warn(const QString& text)
{
    Prompt::information(nullptr, QStringLiteral("警告"), text, QMessageBox::Yes, QMessageBox::Yes);
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

void ProductDlg::post(
    const char* logLabel, const QString& url, const QByteArray& body, void (ProductDlg::*handler)(const BackendReply&))
{
    qDebug().noquote() << logLabel << "url:" << url;
    qDebug().noquote() << logLabel << "paras:" << FormBody::logText(body);
    BackendPost::post(url, body, this, handler);
}

void ProductDlg::queryProducts()
{
    post("prod info", Config::url_query_change_product, orderBody(), &ProductDlg::queryCallBack);
}

void ProductDlg::queryCallBack(const BackendReply& reply)
{
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        return;
    }
    if (!reply.isObject())
        return;
    const OrderGoodsReply goods = OrderGoodsReply::parse(reply.object);
    if (!goods.isAccepted) {
        warn(goods.error);
        return;
    }
    Config::order_maxServNum = goods.maxServiceTime;
    refreshTabel(goods.products);
    setLocked();
}

void ProductDlg::refreshTabel(QList<Product> list)
{
    const QList<Product> before = ProductData::m_products;
    ProductData::m_products = list;

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
    postModifyStock();
    queryProducts();
    // Mode 1 also leads to submission through the stock check, which the submission gate adds.
    Q_UNUSED(mode)
}

void ProductDlg::postModifyStock()
{
    post("modify stock", Config::url_post_modifystock, orderBody(), &ProductDlg::queryModifyStockCallBack);
}

void ProductDlg::queryModifyStockCallBack(const BackendReply& reply)
{
    // Whatever the code, nothing is shown: only a failed transfer is worth a word.
    if (reply.isNetworkError())
        BackendPost::showNetworkError(reply, true);
    else
        qDebug() << "modify stock code" << reply.code();
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
    qDebug() << "点击了";
    currentRow = ui->tableView->currentIndex().row();
}

void ProductDlg::handleSingleClickTable()
{
    qDebug() << "单击了";
    refreshList(currentRow);
}

void ProductDlg::showTableMouseRightButton(const QPoint)
{
    m_pasteAction->setEnabled(!m_cutNames.isEmpty());
    selectRowR(ui->tableView->currentIndex());
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
    qDebug() << "刷新第" << row << "行的缩略图";
    if (row != -1)
        refreshList(row);
}

void ProductDlg::updateThumbIcon(int row, int pic, QPixmap pixmap, int)
{
    if (row != currentRow) {
        qDebug() << "budengyu";
        return;
    }
    if (pic >= 0 && pic < photoList->count())
        photoList->item(pic)->setIcon(pixmap);
    else
        qDebug() << "chaochu";
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
    qDebug() << "准备添加到产品的照片" << names;
    picNames = names;
}

bool ProductDlg::addToProductDuge()
{
    currentRow = ui->tableView->currentIndex().row();
    if (!isProductRow(currentRow)) {
        Prompt::information(nullptr, QString(), QStringLiteral("请选择一项产品"), QMessageBox::Yes, QMessageBox::Yes);
        return false;
    }
    if (ProductData::m_products.at(currentRow).sentToFactory) {
        Prompt::information(
            nullptr, QString(), QStringLiteral("产品已发件，不可修改"), QMessageBox::Yes, QMessageBox::Yes);
        return false;
    }
    return true;
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
    // Assigning photos to the product comes with the photo assignment work.
}

void ProductDlg::tbCopyAction()
{
    // Pasting comes with the photo assignment work.
}

void ProductDlg::deletePhoto()
{
    // Removing photos comes with the photo assignment work.
}

void ProductDlg::cutImgAction()
{
    // Cutting comes with the photo assignment work.
}
