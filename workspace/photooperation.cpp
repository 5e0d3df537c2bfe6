#include "workspace/photooperation.h"

#include "app/config.h"
#include "app/prompt.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "viewer/progresswindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

PhotoOperation::PhotoOperation(QWidget* parent)
    : QWidget(parent)
    , seleType(SELE_ALL)
    , isFamilyShown(false)
    , currentType(PHOTO_FINE)
    , n8Process(nullptr)
    , isN8Syncing(false)
    , n8Type(0)
    , synN8Button(nullptr)
    , trialVideoButton(nullptr)
    , finalVideoButton(nullptr)
    , thumbTotal(0)
    , thumbDone(0)
    , currentUsage(USAGE_TO_DELETED)
    , isListShown(false)
    , isProduceShown(false)
{
    qRegisterMetaType<PHOTOTYPE>("PHOTOTYPE");
    qRegisterMetaType<PHOTOMODEL>("PHOTOMODEL");
    qRegisterMetaType<SELETYPE>("SELETYPE");

    buildViews();
    buildButtons();

    isListShown = false;
    manager = new QNetworkAccessManager(this);
    progress = new ProgressWindow(nullptr);
    progress->setWindowModality(Qt::ApplicationModal);
    getPicInfo();
    n8Process = new QProcess(this);
    refreshSortStatusLab();
}

PhotoOperation::~PhotoOperation()
{
    delete progress;
}

void PhotoOperation::buildViews()
{
    tableView = new QTableView;
    tableView->verticalHeader()->hide();
    tableModel = new QStandardItemModel(this);
    tableModel->setHorizontalHeaderItem(0, new QStandardItem(tr("照片")));
    tableModel->setHorizontalHeaderItem(1, new QStandardItem(tr("产品")));
    tableModel->setHorizontalHeaderItem(2, new QStandardItem(tr("调修要求")));
    tableModel->setHorizontalHeaderItem(3, new QStandardItem(tr("裁剪")));
    tableView->setModel(tableModel);
    const int widths[] = {150, 50, 120, 40};
    for (int column = 0; column < 4; ++column)
        tableView->setColumnWidth(column, int(widths[column] * Config::scaleDpi));
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView->setDragDropMode(QAbstractItemView::DragOnly);
    tableView->horizontalHeader()->setSectionsMovable(true);
    // Columns may be dragged nearly shut, so that painting can close them (paintEvent).
    tableView->horizontalHeader()->setMinimumSectionSize(0);
    tableView->setContextMenuPolicy(Qt::CustomContextMenu);

    compareAction = new QAction(QStringLiteral("多图对比"), this);
    refreshAction = new QAction(QStringLiteral("刷新缩略图"), this);
    connect(compareAction, &QAction::triggered, this, &PhotoOperation::startComparePhoto);
    connect(refreshAction, &QAction::triggered, this, &PhotoOperation::refreshSelectImgs);

    listWidget = new QListWidget;
    listWidget->setIconSize(QSize(1000, 1020));
    listWidget->setResizeMode(QListView::Adjust);
    listWidget->setViewMode(QListView::IconMode);
    listWidget->setMovement(QListView::Static);
    listWidget->setDragEnabled(false);
    listWidget->setSpacing(10);
    listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listWidget->setTextElideMode(Qt::ElideLeft);
    listWidget->hide();
    listWidget->setContextMenuPolicy(Qt::CustomContextMenu);

    contextMenu = new QMenu(this);
    contextMenu->addAction(compareAction);
    contextMenu->addAction(refreshAction);
    setViewMenusConnected(true);
}

QPushButton* PhotoOperation::addButton(QPushButton* button, const QString& text,
    void (PhotoOperation::*slot)(), bool hidden)
{
    button->setText(text);
    if (slot)
        connect(button, &QPushButton::clicked, this, slot);
    if (hidden)
        button->hide();
    return button;
}

void PhotoOperation::buildButtons()
{
    rawButton = addButton(new QPushButton, QStringLiteral("照片"), &PhotoOperation::clickRawPhoto,
        !Config::isShowRawButton);
    fineButton = new DropButton(USAGE_TO_FINE);
    addButton(fineButton, QStringLiteral("成品"), &PhotoOperation::clickFinePhoto, false);
    designButton = addButton(new QPushButton, QStringLiteral("设计"), &PhotoOperation::clickDesignPhoto,
        !Config::isShowDesignButton);
    designDeleteButton = addButton(new QPushButton, QStringLiteral("设计汰片"),
        &PhotoOperation::clickDesignDeletePhoto, !Config::isShowDesignButton);
    usedButton = addButton(new QPushButton, QStringLiteral("已选"), &PhotoOperation::clickUsedPhoto,
        !Config::isShowSelectedButton);
    unusedButton = addButton(new QPushButton, QStringLiteral("未选"), &PhotoOperation::clickUnusedPhoto,
        !Config::isShowUnselectButton);
    deleteButton = new DropButton(USAGE_TO_DELETED);
    addButton(deleteButton, QStringLiteral("汰片"), &PhotoOperation::clickDeletePhoto, !Config::isShowDeleteButton);
    familyButton = addButton(new QPushButton, QStringLiteral("家居"), &PhotoOperation::clickFamily,
        Config::showfurniturebutton == QLatin1String("0"));
    compareButton = addButton(new QPushButton, QStringLiteral("对比"), &PhotoOperation::clickCompare,
        Config::showcontrastbutton == QLatin1String("0"));
    modelButton = addButton(new QPushButton, QStringLiteral("模式"), &PhotoOperation::clickSwitchView,
        !Config::isShowModelButton);
    produceButton = addButton(new QPushButton, QStringLiteral("制作"), &PhotoOperation::clickProduce,
        Config::showfabricationbutton == QLatin1String("0"));
    refreshButton = addButton(new QPushButton, QStringLiteral("刷新"), &PhotoOperation::clickReloadThumb,
        !Config::isShowRefreshButton);
    // The N8 buttons answer only where N8 is switched on; the video buttons exist only
    // where the shop shows them.
    n8Button = addButton(new QPushButton, QStringLiteral("N8选版"),
        Config::isOpenN8 ? &PhotoOperation::clickN8Photo : nullptr, !Config::isOpenN8);
    if (Config::isOpenN8)
        synN8Button = addButton(new QPushButton, QStringLiteral("同步N8选版"), &PhotoOperation::clickSynN8Photo, false);
    if (Config::isShowSpVideo)
        trialVideoButton = addButton(new QPushButton, QStringLiteral("试拍视频"), &PhotoOperation::clickVideo, false);
    if (Config::isShowJxVideo)
        finalVideoButton = addButton(new QPushButton, QStringLiteral("精修视频"), &PhotoOperation::clickFinalVideo,
            false);

    auto row = [](std::initializer_list<QWidget*> widgets) {
        QHBoxLayout* layout = new QHBoxLayout;
        for (QWidget* w : widgets)
            if (w)
                layout->addWidget(w);
        return layout;
    };
    QVBoxLayout* column = new QVBoxLayout;
    column->addLayout(row({rawButton, fineButton}));
    column->addLayout(row({designButton, designDeleteButton}));
    column->addLayout(row({usedButton, unusedButton, deleteButton}));
    column->addSpacing(5);
    column->addLayout(row({modelButton, familyButton, compareButton}));
    column->addLayout(row({produceButton, refreshButton, n8Button}));
    if (synN8Button || trialVideoButton || finalVideoButton)
        column->addLayout(row({synN8Button, trialVideoButton, finalVideoButton}));
    albumLabel = new QLabel(QStringLiteral("当前相册：照片"));
    albumLabel->setVisible(Config::isshow_photonum);
    column->addWidget(albumLabel);
    column->addWidget(tableView);
    column->addWidget(listWidget);
    sortLabel = new QLabel(QStringLiteral("..."));
    column->addWidget(sortLabel);

    QWidget* columnWidget = new QWidget;
    columnWidget->setLayout(column);
    QSplitter* splitter = new QSplitter(Qt::Horizontal);
    splitter->setHandleWidth(3);
    splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: black }"));
    splitter->addWidget(columnWidget);
    QHBoxLayout* panelLayout = new QHBoxLayout(this);
    panelLayout->addWidget(splitter);

    fineButton->setAcceptDrops(true);
    deleteButton->setAcceptDrops(true);
    albumGroup = new QButtonGroup(this);
    albumGroup->setExclusive(true);
    for (QPushButton* album : {rawButton, static_cast<QPushButton*>(fineButton), designButton, designDeleteButton,
             usedButton, unusedButton, static_cast<QPushButton*>(deleteButton)}) {
        album->setCheckable(true);
        albumGroup->addButton(album);
    }
    fineButton->setChecked(true);

    connect(fineButton, &DropButton::dropMessage, this, &PhotoOperation::dropButtonSlot);
    connect(deleteButton, &DropButton::dropMessage, this, &PhotoOperation::dropButtonSlot);
    connect(listWidget, &QListWidget::itemClicked, this, &PhotoOperation::selectItem);
    connect(tableView, &QTableView::clicked, this, &PhotoOperation::selectRow);
    connect(listWidget, &QListWidget::itemPressed, this, qOverload<QListWidgetItem*>(&PhotoOperation::isDrag));
    connect(tableView, &QTableView::pressed, this, qOverload<const QModelIndex&>(&PhotoOperation::isDrag));
    connect(listWidget, &QListWidget::itemSelectionChanged, this, &PhotoOperation::itemChanged);
    connect(tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &PhotoOperation::selectTableRow);
    connect(tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &PhotoOperation::onSelectionChanged);
}

// ---- Context menu ----

void PhotoOperation::bindCompareAction(const QString& text, void (PhotoOperation::*slot)())
{
    // One binding at a time, so that a trigger runs its slot once however often the
    // albums were switched.
    compareAction->setText(text);
    disconnect(compareAction, &QAction::triggered, this, nullptr);
    connect(compareAction, &QAction::triggered, this, slot);
}

void PhotoOperation::setViewMenusConnected(bool connected)
{
    disconnect(listWidget, &QWidget::customContextMenuRequested, this, &PhotoOperation::showMouseRightButton);
    disconnect(tableView, &QWidget::customContextMenuRequested, this,
        &PhotoOperation::showMouseRightButtonForTable);
    if (!connected)
        return;
    connect(listWidget, &QWidget::customContextMenuRequested, this, &PhotoOperation::showMouseRightButton);
    connect(tableView, &QWidget::customContextMenuRequested, this, &PhotoOperation::showMouseRightButtonForTable);
}

void PhotoOperation::setContextMenu(MenuKind kind)
{
    switch (kind) {
    case MenuRaw:
        setViewMenusConnected(false);
        return;
    case MenuDesign:
        disconnect(compareAction, &QAction::triggered, this, &PhotoOperation::recoverToFinal);
        setViewMenusConnected(false);
        return;
    case MenuFine:
        bindCompareAction(QStringLiteral("多图对比"), &PhotoOperation::startComparePhoto);
        if (!contextMenu->actions().contains(refreshAction))
            contextMenu->addAction(refreshAction);
        refreshAction->setText(QStringLiteral("刷新缩略图"));
        disconnect(refreshAction, &QAction::triggered, this, nullptr);
        connect(refreshAction, &QAction::triggered, this, &PhotoOperation::refreshSelectImgs);
        break;
    case MenuDeleted:
        bindCompareAction(QStringLiteral("恢复至成品"), &PhotoOperation::recoverToFinal);
        contextMenu->removeAction(refreshAction);
        break;
    case MenuDesignDeleted:
        bindCompareAction(QStringLiteral("恢复至设计"), &PhotoOperation::recoverToFinal);
        contextMenu->removeAction(refreshAction);
        break;
    case MenuFiltered:
        bindCompareAction(QStringLiteral("多图对比"), &PhotoOperation::startComparePhoto);
        contextMenu->removeAction(refreshAction);
        break;
    }
    setViewMenusConnected(true);
}

void PhotoOperation::showMouseRightButton(const QPoint&)
{
    contextMenu->exec(QCursor::pos());
}

void PhotoOperation::showMouseRightButtonForTable(const QPoint&)
{
    contextMenu->exec(QCursor::pos());
}

void PhotoOperation::startComparePhoto()
{
    const QStringList names = GetSelectedItems(false);
    if (names.isEmpty())
        return;
    QStringList paths;
    for (const QString& name : names)
        paths << DirServer::getFineImageMidThumbPath() + name;
    emit comparePhoto(paths);
}

void PhotoOperation::refreshSelectImgs()
{
    // Forced thumbnail rebuilds come with the album display.
}

// ---- Albums and filters ----

void PhotoOperation::clickRawPhoto()
{
    setContextMenu(MenuRaw);
    currentType = PHOTO_RAW;
    getPicInfo();
}

void PhotoOperation::clickFinePhoto()
{
    setContextMenu(MenuFine);
    currentType = PHOTO_FINE;
    seleType = SELE_ALL;
    getPicInfo();
}

void PhotoOperation::clickDeletePhoto()
{
    setContextMenu(MenuDeleted);
    currentType = PHOTO_DELETED;
    getPicInfo();
}

void PhotoOperation::clickDesignPhoto()
{
    setContextMenu(MenuDesign);
    currentType = PHOTO_DESIGN;
    getPicInfo();
}

void PhotoOperation::clickDesignDeletePhoto()
{
    setContextMenu(MenuDesignDeleted);
    currentType = PHOTO_DESIGN_DELETED;
    getPicInfo();
}

void PhotoOperation::clickUsedPhoto()
{
    setContextMenu(MenuFiltered);
    currentType = PHOTO_FINE;
    seleType = SELE_USED;
    ImageData::getInstance()->setType(PHOTO_FINE, seleType);
    startSelectImage();
}

void PhotoOperation::clickUnusedPhoto()
{
    setContextMenu(MenuFiltered);
    currentType = PHOTO_FINE;
    seleType = SELE_UNUSED;
    ImageData::getInstance()->setType(PHOTO_FINE, seleType);
    startSelectImage();
}

void PhotoOperation::getPicInfo()
{
    // Loading the order's photos comes with the photo load.
}

void PhotoOperation::startSelectImage()
{
    // Showing the album comes with the album display.
}

void PhotoOperation::showWhichType(int)
{
    // Showing the album comes with the album display.
}

void PhotoOperation::refreshSortStatusLab()
{
    // The sort dots come with the album display.
}

// ---- Tools ----

void PhotoOperation::clickFamily()
{
    emit familyPhoto();
}

void PhotoOperation::clickCompare()
{
    emit comparePhoto();
}

void PhotoOperation::clickSwitchView()
{
    if (!listWidget->isHidden()) {
        tableView->show();
        listWidget->hide();
        isListShown = false;
    } else {
        tableView->hide();
        listWidget->show();
        isListShown = true;
    }
}

void PhotoOperation::clickProduce()
{
    emit producePhoto(!isProduceShown);
    isProduceShown = !isProduceShown;
}

void PhotoOperation::clickReloadThumb()
{
    // Rebuilding the thumbnails comes with the album display.
}

void PhotoOperation::clickN8Photo()
{
    // The N8 selection hand-off comes with the N8 exchange.
}

void PhotoOperation::clickSynN8Photo()
{
    // Reading N8's selection back comes with the N8 exchange.
}

void PhotoOperation::clickVideo()
{
    // The order's videos come with the photo load.
}

void PhotoOperation::clickFinalVideo()
{
    // The order's videos come with the photo load.
}

void PhotoOperation::setLocked()
{
    if (!Config::isLocked)
        return;
    tableView->setDragEnabled(false);
    listWidget->setDragEnabled(false);
}

// ---- Selection ----

QStringList PhotoOperation::GetSelectedItems(bool check)
{
    QStringList names;
    struct Picked { QString name; QString marks; };
    QList<Picked> picked;
    if (!isListShown) {
        for (const QModelIndex& index : tableView->selectionModel()->selectedRows(0)) {
            const QString name = tableModel->data(tableModel->index(index.row(), 0)).toString();
            picked.append({name, ImageData::getInstance()->getFineImage(name, SELE_ALL).getProductId()});
        }
    } else {
        for (QListWidgetItem* item : listWidget->selectedItems()) {
            const int row = listWidget->row(item);
            if (row < 0 || row >= tableModel->rowCount())
                continue;
            picked.append({tableModel->data(tableModel->index(row, 0)).toString(),
                tableModel->data(tableModel->index(row, 1)).toString()});
        }
    }
    for (const Picked& photo : picked) {
        if (check && !photo.marks.trimmed().isEmpty()) {
            if (Prompt::question(this, tr("提示"), tr("照片已经被使用，不能删除！"), QMessageBox::Yes,
                    QMessageBox::Yes) == QMessageBox::Yes)
                return QStringList();
            continue;
        }
        names.append(photo.name);
    }
    return names;
}

void PhotoOperation::selectItem(QListWidgetItem*)
{
    // Making a clicked photo current comes with the panel's shortcuts.
}

void PhotoOperation::selectRow(const QModelIndex&)
{
    // Making a clicked photo current comes with the panel's shortcuts.
}

void PhotoOperation::selectTableRow(const QModelIndex& current, const QModelIndex&)
{
    // Keyboard moves in the table act as clicks, except during the room preview.
    if (isFamilyShown)
        return;
    emit tableView->clicked(current);
}

void PhotoOperation::itemChanged()
{
    if (isFamilyShown)
        return;
    const QList<QListWidgetItem*> selected = listWidget->selectedItems();
    if (selected.size() != 1)
        return;
    emit listWidget->itemClicked(selected.first());
    selected.first()->setSelected(true);
}

void PhotoOperation::emitDrag(int row)
{
    const QList<Image>& photos = ImageData::getInstance()->getImagelist(seleType);
    if (row < 0 || row >= photos.size())
        return;
    QString path = photos.at(row).GetBigImagePath();
    emit sendDragMessage(true, path);
}

void PhotoOperation::isDrag(QListWidgetItem* item)
{
    emitDrag(listWidget->row(item));
}

void PhotoOperation::isDrag(const QModelIndex& index)
{
    emitDrag(index.row());
}

void PhotoOperation::onSelectionChanged(const QItemSelection&, const QItemSelection&)
{
}

void PhotoOperation::finishTipDailog()
{
}

// ---- Moves, marks and thumbnails ----

void PhotoOperation::dropButtonSlot(ButtonUsage)
{
    // Moving photos between albums comes with the album moves.
}

void PhotoOperation::deletePhotoSlot()
{
    // Moving photos between albums comes with the album moves.
}

void PhotoOperation::recoverToFinal()
{
    // Moving photos between albums comes with the album moves.
}

void PhotoOperation::removeListItem(QStringList)
{
    // Moving photos between albums comes with the album moves.
}

void PhotoOperation::refreshImageProduct()
{
    // Product marks come with the album display.
}

void PhotoOperation::refreshImageProduct(QStringList)
{
    // Product marks come with the album display.
}

void PhotoOperation::refreshProductImage()
{
    refreshImageProduct();
}

void PhotoOperation::refreshWholeTable()
{
    // Filling the table comes with the album display.
}

void PhotoOperation::updateMiddleThumimg(int)
{
    // Thumbnail rebuilds come with the album display.
}

void PhotoOperation::updateThumbIconOneRefresh(int, QPixmap)
{
    // Thumbnail updates come with the album display.
}

void PhotoOperation::onClipChanged()
{
    // Posting crops comes with the crop and remark sync.
}

void PhotoOperation::onRemarkChanged()
{
    // Posting remarks comes with the crop and remark sync.
}

void PhotoOperation::paintEvent(QPaintEvent*)
{
    // A column dragged nearly shut closes.
    for (int column = 0; column < tableModel->columnCount(); ++column)
        if (tableView->columnWidth(column) < 23)
            tableView->setColumnWidth(column, 0);
}
