#include "workspace/photooperation.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/worker.h"
#include "exchange/n8selection.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tools/cropremarkpost.h"
#include "video/player.h"
#include "viewer/progresswindow.h"
#include "workspace/albumdisplay.h"
#include "workspace/albumiconcache.h"
#include "workspace/albumicondelegate.h"
#include "workspace/albummoves.h"
#include "workspace/albumtablemodel.h"
#include "workspace/albumthumbnails.h"
#include "workspace/albumview.h"
#include "workspace/orderphotoload.h"
#include "workspace/panelshortcuts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>

#include <utility>
#include <QVBoxLayout>

PhotoOperation::PhotoOperation(QWidget* parent)
    : QWidget(parent)
    , seleType(SELE_ALL)
    , isFamilyShown(false)
    , currentType(PHOTO_FINE)
    , n8Process(nullptr)
    , n8Type(0)
    , synN8Button(nullptr)
    , trialVideoButton(nullptr)
    , finalVideoButton(nullptr)
    , thumbTotal(0)
    , thumbDone(0)
    , currentUsage(USAGE_TO_DELETED)
    , isProduceShown(false)
    , thumbJobs(nullptr)
{
    qRegisterMetaType<PHOTOTYPE>("PHOTOTYPE");
    qRegisterMetaType<PHOTOMODEL>("PHOTOMODEL");
    qRegisterMetaType<SELETYPE>("SELETYPE");

    buildViews();
    buildButtons();

    progress = new ProgressWindow(nullptr);
    progress->setWindowModality(Qt::ApplicationModal);
    thumbJobs = new AlbumThumbnails(this);
    connect(thumbJobs, &AlbumThumbnails::iconReady, this, &PhotoOperation::updateThumbIcon);
    connect(thumbJobs, &AlbumThumbnails::iconRefreshed, this, &PhotoOperation::setThumbIcon);
    connect(thumbJobs, &AlbumThumbnails::jobDropped, this, [this] {
        m_iconCache->noteBatchDropped();
        countThumbJob();
    });
    connect(thumbJobs, &AlbumThumbnails::filesReady, this, [this](int index, int album) {
        if (album == ImageData::getInstance()->getType())
            m_iconCache->noteFilesReady(index);
        countThumbJob();
    });
    m_iconCache = new AlbumIconCache(
        listWidget, thumbJobs, [this] { return ImageData::getInstance()->getImagelist(seleType); }, this);
    listWidget->setItemDelegate(new AlbumIconDelegate(m_iconCache, listWidget));
    // The popup follows the jobs once per pass of icons, not once per reply.
    connect(m_iconCache, &AlbumIconCache::flushed, this, [this] {
        progress->setValue(thumbTotal, qMin(thumbDone, thumbTotal));
        if (thumbDone >= thumbTotal)
            listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    });
    getPicInfo();
    n8Process = new QProcess(this);
    m_n8Selection = new N8Selection(this, n8Process);
    connect(m_n8Selection, &N8Selection::synced, this, [this] { emit sumbitSampleReslut(n8Type); });
    refreshSortStatusLab();
}

PhotoOperation::~PhotoOperation()
{
    // The jobs go first: nothing of theirs may reach the progress popup once it is gone.
    delete thumbJobs;
    // Before the process, whose teardown ends N8ViewGo: that end must not start a read-back.
    delete m_n8Selection;
    delete progress;
}

void PhotoOperation::buildViews()
{
    tableView = new QTableView;
    tableView->verticalHeader()->hide();
    tableModel = new AlbumTableModel(this);
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
    m_albumView.reset(new AlbumView(tableView, tableModel, listWidget));

    contextMenu = new QMenu(this);
    contextMenu->addAction(compareAction);
    contextMenu->addAction(refreshAction);
    setViewMenusConnected(true);
}

QPushButton* PhotoOperation::addButton(
    QPushButton* button, const QString& text, void (PhotoOperation::*slot)(), bool hidden)
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
    rawButton
        = addButton(new QPushButton, QStringLiteral("照片"), &PhotoOperation::clickRawPhoto, !Config::isShowRawButton);
    fineButton = new DropButton(USAGE_TO_FINE);
    addButton(fineButton, QStringLiteral("成品"), &PhotoOperation::clickFinePhoto, false);
    designButton = addButton(
        new QPushButton, QStringLiteral("设计"), &PhotoOperation::clickDesignPhoto, !Config::isShowDesignButton);
    designDeleteButton = addButton(new QPushButton, QStringLiteral("设计汰片"), &PhotoOperation::clickDesignDeletePhoto,
        !Config::isShowDesignButton);
    usedButton = addButton(
        new QPushButton, QStringLiteral("已选"), &PhotoOperation::clickUsedPhoto, !Config::isShowSelectedButton);
    unusedButton = addButton(
        new QPushButton, QStringLiteral("未选"), &PhotoOperation::clickUnusedPhoto, !Config::isShowUnselectButton);
    deleteButton = new DropButton(USAGE_TO_DELETED);
    addButton(deleteButton, QStringLiteral("汰片"), &PhotoOperation::clickDeletePhoto, !Config::isShowDeleteButton);
    familyButton = addButton(new QPushButton, QStringLiteral("家居"), &PhotoOperation::clickFamily,
        Config::showfurniturebutton == QLatin1String("0"));
    compareButton = addButton(new QPushButton, QStringLiteral("对比"), &PhotoOperation::clickCompare,
        Config::showcontrastbutton == QLatin1String("0"));
    modelButton = addButton(
        new QPushButton, QStringLiteral("模式"), &PhotoOperation::clickSwitchView, !Config::isShowModelButton);
    produceButton = addButton(new QPushButton, QStringLiteral("制作"), &PhotoOperation::clickProduce,
        Config::showfabricationbutton == QLatin1String("0"));
    refreshButton = addButton(
        new QPushButton, QStringLiteral("刷新"), &PhotoOperation::clickReloadThumb, !Config::isShowRefreshButton);
    // The N8 buttons answer only where N8 is switched on; the video buttons exist only
    // where the shop shows them.
    n8Button = addButton(new QPushButton, QStringLiteral("N8选版"),
        Config::isOpenN8 ? &PhotoOperation::clickN8Photo : nullptr, !Config::isOpenN8);
    if (Config::isOpenN8)
        synN8Button = addButton(new QPushButton, QStringLiteral("同步N8选版"), &PhotoOperation::clickSynN8Photo, false);
    if (Config::isShowSpVideo)
        trialVideoButton = addButton(new QPushButton, QStringLiteral("试拍视频"), &PhotoOperation::clickVideo, false);
    if (Config::isShowJxVideo)
        finalVideoButton
            = addButton(new QPushButton, QStringLiteral("精修视频"), &PhotoOperation::clickFinalVideo, false);

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
    connect(
        tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &PhotoOperation::selectTableRow);
    connect(
        tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this, &PhotoOperation::onSelectionChanged);
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
    disconnect(tableView, &QWidget::customContextMenuRequested, this, &PhotoOperation::showMouseRightButtonForTable);
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
    const QStringList names = GetSelectedItems(false);
    if (names.isEmpty())
        return;
    const QList<Image> photos = ImageData::getInstance()->getImagelist(seleType);
    for (const QString& name : names)
        for (int row = 0; row < listWidget->count() && row < photos.size(); ++row)
            if (listWidget->item(row)->toolTip() == name)
                thumbJobs->refreshOne(photos.at(row), row, true);
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
    readAlbumsThenShow(false);
}

void PhotoOperation::clickUnusedPhoto()
{
    setContextMenu(MenuFiltered);
    currentType = PHOTO_FINE;
    seleType = SELE_UNUSED;
    ImageData::getInstance()->setType(PHOTO_FINE, seleType);
    readAlbumsThenShow(false);
}

// ---- The load road: picture information, order path, thumbnail folders ----

namespace {

// The box with which a reply of the panel stops its road; none without a text.
void showReplyError(const QString& title, const QString& text)
{
    if (!text.isEmpty())
        Prompt::information(nullptr, title, text, QMessageBox::Yes, QMessageBox::Yes);
}

} // namespace

void PhotoOperation::getPicInfo()
{
    BackendPost::post(
        Config::url_query_picinfo, OrderPhotoLoad::orderQueryBody(), this, &PhotoOperation::queryPicInfoCallBack);
}

void PhotoOperation::queryPicInfoCallBack(const BackendReply& reply)
{
    const OrderPhotoLoad::PictureInfoReply read = OrderPhotoLoad::readPictureInfoReply(reply);
    if (!read.ok) {
        showReplyError(read.errorTitle, read.errorText);
        return;
    }
    const OrderPhotoLoad::PictureInfo& info = read.info;
    trialVideoList = info.trialVideos;
    finalVideoList = info.finalVideos;
    ImageData::changedImages = info.records;
    getPicPath();
}

void PhotoOperation::getPicPath()
{
    if (!ProductData::localOrderPath.isEmpty()) {
        DirServer::setOrderPath(OrderPhotoLoad::asFolder(ProductData::localOrderPath));
        readAlbumsThenShow(false);
        return;
    }
    BackendPost::post(
        Config::url_query_orderpicpath, OrderPhotoLoad::orderQueryBody(), this, &PhotoOperation::queryCallBack);
}

void PhotoOperation::queryCallBack(const BackendReply& reply)
{
    const OrderPhotoLoad::OrderFolderReply read = OrderPhotoLoad::readOrderFolderReply(reply);
    if (!read.ok) {
        showReplyError(read.errorTitle, read.errorText);
        return;
    }
    DirServer::setOrderPath(read.folder);
    readAlbumsThenShow(true);
}

void PhotoOperation::readAlbumsThenShow(bool twice)
{
    readAlbumsThen([this, twice] {
        startSelectImage();
        // The second showing of the server's road: the folders were read a moment ago.
        if (twice) {
            m_isRepeatShowing = true;
            showWhichType(ImageData::getInstance()->getType());
            m_isRepeatShowing = false;
        }
    });
}

void PhotoOperation::reshowAlbum(int type)
{
    if (m_isReadingAlbums)
        return;
    readAlbumsThen([this, type] { showWhichType(type); });
}

void PhotoOperation::readAlbumsThen(std::function<void()> show)
{
    // Thousands of files on a share are listed off the GUI thread; the showing itself stays
    // in one handler, as the views, the store and the signals must change together.
    const ImageData::AlbumSources sources = ImageData::albumSources();
    const int reading = ++m_albumReads;
    m_isReadingAlbums = true;
    // Ahead of the thumbnail jobs queued on the pool.
    Worker::run(
        this, [sources] { return ImageData::readAlbums(sources); },
        [this, reading, show = std::move(show)](const ImageData::Albums& albums) {
            // A road begun meanwhile shows its own reading.
            if (reading != m_albumReads)
                return;
            m_isReadingAlbums = false;
            m_readAlbums.reset(new ImageData::Albums(albums));
            show();
            m_readAlbums.reset();
        },
        2);
}

void PhotoOperation::createOrderDirIfNotExist()
{
    OrderPhotoLoad::createThumbnailFolders();
}

void PhotoOperation::startSelectImage()
{
    createOrderDirIfNotExist();
    showWhichType(currentType);
}

// ---- Showing an album ----

void PhotoOperation::showWhichType(int type)
{
    if (type < PHOTO_RAW || type > PHOTO_DESIGN_DELETED) {
        refreshSortStatusLab();
        return;
    }
    ImageData* store = ImageData::getInstance();
    if (m_readAlbums)
        store->importImage(PHOTOTYPE(type), *m_readAlbums);
    else
        store->importImage(PHOTOTYPE(type));
    const bool fine = type == PHOTO_FINE;
    if (fine) {
        // The store keeps the filter on show, and the pane starts on the first photo of that
        // view, built from this reading; the import alone would leave it on the first of 成品.
        applyProductMarks();
        store->setType(PHOTO_FINE, seleType);
    }
    emit SendImage();
    if (fine)
        getChengPinCurrentIdx();
    compareButton->setEnabled(fine);
    produceButton->setEnabled(fine);
    // Design photos may be dragged even in a locked order; raw photos never.
    const bool drag = type != PHOTO_RAW && (type == PHOTO_DESIGN || !Config::isLocked);
    m_albumView->setDragEnabled(drag);
    if (fine) {
        // The product marks were applied above, from this reading.
        orderAndShowViews(currentPhotoPath());
    } else {
        refreshViews();
        emit producePhoto(false);
        isProduceShown = false;
    }
    emit sendPhotoModel(PHOTOMODEL(type), type, seleType);
    refreshSortStatusLab();
}

void PhotoOperation::refreshSortStatusLab()
{
    sortLabel->setText(AlbumDisplay::sortDots(Config::getOrderMode()));
}

void PhotoOperation::getChengPinCurrentIdx()
{
    ImageData* store = ImageData::getInstance();
    if (store->getType() == PHOTO_FINE && seleType == SELE_ALL)
        Config::chengpin_idx = store->getCurrentIndex();
}

void PhotoOperation::updateLabel()
{
    ImageData* store = ImageData::getInstance();
    const int count = store->getImagelist(seleType).size();
    albumLabel->setText(AlbumDisplay::albumLabel(store->getType(), seleType, count));
    if (count != listWidget->count() && !m_isThumbRefreshFollowing)
        refreshThumb(true);
}

void PhotoOperation::removeTableItem(QStringList names)
{
    tableModel->removeNames(names);
    updateLabel();
}

// ---- Thumbnails ----

void PhotoOperation::showDefaultThumb(QList<Image> images)
{
    listWidget->clear();
    const QSize hint = Config::isShowThumbName ? QSize(100, 130) : QSize(100, 101);
    for (const Image& photo : images) {
        QListWidgetItem* item = new QListWidgetItem;
        if (Config::isShowThumbName)
            item->setText(photo.GetImageName());
        item->setSizeHint(hint);
        item->setTextAlignment(Qt::AlignBottom);
        item->setToolTip(photo.GetImageName());
        item->setData(AlbumView::FileNameRole, photo.ownFileName());
        listWidget->addItem(item);
    }
}

void PhotoOperation::refreshThumb(bool showProgress)
{
    const QList<Image> photos = ImageData::getInstance()->getImagelist(seleType);
    // Nothing has happened since the first showing built this very view; rebuilding it would
    // call off its jobs only to start the same ones.
    if (m_isRepeatShowing && listWidget->count() == photos.size() && AlbumDisplay::sameIcons(photos, m_iconPhotos)) {
        updateLabel();
        return;
    }
    m_iconPhotos = photos;
    showDefaultThumb(photos);
    // The batch makes the icons of the rows in view first; the rest only get their files.
    m_iconCache->updateWindow();
    // Calls off this panel's earlier jobs only; other windows' jobs on the pool stay.
    thumbJobs->startBatch(photos);
    updateLabel();
    thumbDone = 0;
    thumbTotal = photos.size();
    // An empty album has nothing to wait for: 0 of 0 keeps the popup hidden.
    if (showProgress && thumbTotal > 0)
        progress->show();
    progress->setValue(thumbTotal, thumbDone);
}

void PhotoOperation::refreshThumb(QStringList names)
{
    for (const QString& name : names)
        for (int row = 0; row < listWidget->count(); ++row)
            if (listWidget->item(row)->toolTip() == name)
                refreshThumb(row);
}

void PhotoOperation::refreshThumb(int row)
{
    const QList<Image> photos = ImageData::getInstance()->getImagelist(seleType);
    if (row >= 0 && row < photos.size())
        thumbJobs->refreshOne(photos.at(row), row, false);
}

void PhotoOperation::updateThumbIcon(int index, QPixmap icon, int album)
{
    listWidget->setSelectionMode(QAbstractItemView::NoSelection);
    setThumbIcon(index, icon, album);
    countThumbJob();
}

void PhotoOperation::setThumbIcon(int index, const QPixmap& icon, int album)
{
    if (album != ImageData::getInstance()->getType())
        return;
    QListWidgetItem* item = listWidget->item(index);
    if (!item)
        return;
    if (icon.isNull())
        qCWarning(lcWorkspace).noquote() << "缩略图生成失败：" << item->toolTip();
    m_iconCache->deliver(index, icon);
}

void PhotoOperation::countThumbJob()
{
    ++thumbDone;
    m_iconCache->scheduleFlush();
}

void PhotoOperation::reLoadThumbFinished()
{
    countThumbJob();
}

void PhotoOperation::clickNextThumb()
{
    const int count = listWidget->count();
    if (count == 0)
        return;
    QListWidgetItem* current = listWidget->currentItem();
    const int row = current ? listWidget->row(current) : -1;
    if (current)
        current->setSelected(false);
    m_albumView->clickIcon(row + 1 >= count ? 0 : row + 1);
}

void PhotoOperation::clickPreviousThumb()
{
    const int count = listWidget->count();
    if (count == 0)
        return;
    QListWidgetItem* current = listWidget->currentItem();
    const int row = current ? listWidget->row(current) : 0;
    if (current)
        current->setSelected(false);
    m_albumView->clickIcon(row < 1 ? count - 1 : row - 1);
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
    m_albumView->switchView();
}

void PhotoOperation::clickProduce()
{
    emit producePhoto(!isProduceShown);
    isProduceShown = !isProduceShown;
}

void PhotoOperation::clickReloadThumb()
{
    const QStringList folders = AlbumDisplay::reloadFolders(currentType);
    // Without an order folder the names would be emptied in the working folder.
    if (folders.isEmpty() || DirServer::getOrderPath().isEmpty() || isReloadingThumbs)
        return;
    // No job of the album may still write into the folders being emptied.
    thumbJobs->cancel();
    // Thousands of files on a share: emptied on a worker, the album loaded again after.
    // The worker holds only the paths, so the panel may close meanwhile.
    isReloadingThumbs = true;
    const int album = currentType;
    Worker::run(
        this,
        [folders] {
            for (const QString& folder : folders)
                FileOperation::removeDirThenMake(folder);
        },
        [this, album] {
            isReloadingThumbs = false;
            // An album chosen meanwhile has been loaded by its own click.
            if (currentType == album)
                reloadAlbum(album);
        });
}

void PhotoOperation::reloadAlbum(int album)
{
    switch (album) {
    case PHOTO_RAW:
        clickRawPhoto();
        break;
    case PHOTO_FINE:
        clickFinePhoto();
        break;
    case PHOTO_DELETED:
        clickDeletePhoto();
        break;
    case PHOTO_DESIGN:
        clickDesignPhoto();
        break;
    default:
        break;
    }
}

void PhotoOperation::clickN8Photo()
{
    n8Type = 1;
    m_n8Selection->getN8Info();
}

void PhotoOperation::clickSynN8Photo()
{
    // A read-back on its way (N8ViewGo has just ended) posts the selection already.
    if (m_n8Selection->isN8Syncing())
        return;
    n8Type = 2;
    m_n8Selection->getSynN8Info();
}

void PhotoOperation::clickVideo()
{
    playVideos(trialVideoList, 1, QStringLiteral("该订单尚未导入试拍视频"));
}

void PhotoOperation::clickFinalVideo()
{
    playVideos(finalVideoList, 2, QStringLiteral("该订单尚未导入精修视频"));
}

void PhotoOperation::playVideos(const QStringList& paths, int kind, const QString& missingText)
{
    const QStringList found = OrderPhotoLoad::existingFiles(paths);
    if (found.isEmpty()) {
        Prompt::information(this, QStringLiteral("提醒"), missingText, QMessageBox::Ok);
        return;
    }
    Player* player = new Player(nullptr);
    player->setAttribute(Qt::WA_DeleteOnClose);
    player->addToPlaylist(found);
    player->setVideList(found, kind);
    player->resize(1400, geometry().height());
    player->move(0, 0);
    player->show();
    player->play();
}

QPushButton* PhotoOperation::albumButton(int album) const
{
    switch (album) {
    case PHOTO_RAW:
        return rawButton;
    case PHOTO_FINE:
        return fineButton;
    case PHOTO_DELETED:
        return deleteButton;
    case PHOTO_DESIGN:
        return designButton;
    case PHOTO_DESIGN_DELETED:
        return designDeleteButton;
    default:
        return nullptr;
    }
}

bool PhotoOperation::isAlbumButtonChecked(int album) const
{
    const QPushButton* button = albumButton(album);
    return button && button->isChecked();
}

void PhotoOperation::setAlbumButtonChecked(int album)
{
    if (QPushButton* button = albumButton(album))
        button->setChecked(true);
}

void PhotoOperation::setLocked()
{
    if (!Config::isLocked)
        return;
    m_albumView->setDragEnabled(false);
}

// ---- Selection ----

QStringList PhotoOperation::GetSelectedItems(bool check)
{
    QStringList names;
    for (const AlbumView::Selected& photo : m_albumView->selectedPhotos(seleType)) {
        if (check && !photo.marks.trimmed().isEmpty()) {
            if (Prompt::question(this, tr("提示"), tr("照片已经被使用，不能删除！"), QMessageBox::Yes, QMessageBox::Yes)
                == QMessageBox::Yes)
                return QStringList();
            continue;
        }
        names.append(photo.name);
    }
    return names;
}

void PhotoOperation::selectItem(QListWidgetItem* item)
{
    qCDebug(lcWorkspace) << "listWidget selectItem";
    const int row = listWidget->row(item);
    if (row < 0)
        return;
    ImageData::getInstance()->setIterator(row, seleType);
    emit SendImage();
    getChengPinCurrentIdx();
}

void PhotoOperation::selectRow(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    ImageData::getInstance()->setIterator(index.row(), seleType);
    emit SendImage();
    getChengPinCurrentIdx();
}

void PhotoOperation::selectTableRow(const QModelIndex& current, const QModelIndex&)
{
    // Keyboard moves in the table act as clicks, except during the room preview.
    if (isFamilyShown || m_isFollowingViewer)
        return;
    emit tableView->clicked(current);
}

void PhotoOperation::followCurrentPhoto()
{
    ImageData* store = ImageData::getInstance();
    if (store->getCurrentIndex() < 0)
        return;
    const QList<Image>& photos = store->getImagelist(seleType);
    const QString path = store->getCurrentImage().GetBigImagePath();
    int row = store->getCurrentIndex();
    // The cursor may stand in another list than the one shown (the viewer stepped in 成品
    // while 已选 is shown): the photo is then found by its file.
    if (row >= photos.size() || photos.at(row).GetBigImagePath() != path) {
        row = 0;
        while (row < photos.size() && photos.at(row).GetBigImagePath() != path)
            ++row;
        if (row == photos.size())
            return;
    }
    m_isFollowingViewer = true;
    m_albumView->highlight(row);
    m_isFollowingViewer = false;
}

void PhotoOperation::itemChanged()
{
    if (isFamilyShown || m_isFollowingViewer)
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

void PhotoOperation::dropButtonSlot(ButtonUsage use)
{
    AlbumMoves moves(*this, *m_albumView);
    const QStringList names = moves.dropped(use);
    if (names.isEmpty())
        return;
    currentUsage = use;
    if (use == USAGE_TO_FINE) {
        deletePhotoSlot();
        return;
    }
    if (!moves.confirmSetAside())
        return;
    // The files move first: the viewer's popup says "删除成功" only of photos that went to
    // 汰片. A photo that stayed has had its failure box.
    const QStringList moved = moves.setAside(names);
    if (!moved.isEmpty())
        emit showCryPicture(moved);
}

void PhotoOperation::deletePhotoSlot()
{
    // The end of the set-aside popup: its photos moved before it came up.
    if (currentUsage == USAGE_TO_DELETED)
        return;
    AlbumMoves(*this, *m_albumView).restore();
}

void PhotoOperation::recoverToFinal()
{
    AlbumMoves(*this, *m_albumView).recover();
}

void PhotoOperation::deleteRawImage()
{
    AlbumMoves(*this, *m_albumView).deleteRaw();
}

void PhotoOperation::del_designphoto()
{
    AlbumMoves(*this, *m_albumView).deleteDesign();
}

void PhotoOperation::removeListItem(QStringList names)
{
    m_albumView->removeNames(names);
}

QString PhotoOperation::getPicPaths(QStringList list)
{
    return AlbumMoves::joinNames(list);
}

void PhotoOperation::postImageLog(QString type, QString picpath)
{
    BackendPost::post(
        Config::update_img_log, AlbumMoves::moveRecord(type, picpath), this, &PhotoOperation::queryCallBackLog);
}

void PhotoOperation::recordSetAside(const QStringList& names)
{
    if (!names.isEmpty())
        postImageLog(QStringLiteral("1"), getPicPaths(names));
}

void PhotoOperation::queryCallBackLog(const BackendReply& reply)
{
    // The move on disk stands whatever the back end answers; nothing is shown or retried.
    if (reply.isNetworkError()) {
        qCDebug(lcWorkspace).noquote() << "move record not sent:" << reply.errorString;
        return;
    }
    const QJsonObject& answer = reply.object;
    qCDebug(lcWorkspace).noquote() << "move record:" << answer.value(QStringLiteral("code")).toVariant().toString()
                                   << answer.value(QStringLiteral("message")).toVariant().toString();
}

void PhotoOperation::keyPressEvent(QKeyEvent* event)
{
    PanelShortcuts(*this, *m_albumView).keyPress(event);
}

void PhotoOperation::keyReleaseEvent(QKeyEvent* event)
{
    PanelShortcuts(*this, *m_albumView).keyRelease(event);
}

void PhotoOperation::refreshImageProduct()
{
    const QString shown = currentPhotoPath();
    applyProductMarks();
    orderAndShowViews(shown);
}

void PhotoOperation::orderAndShowViews(const QString& shown)
{
    if (Config::getOrderMode() == 1)
        ImageData::getInstance()->orderFineImage();
    refreshViews();
    showIfCurrentChanged(shown);
}

void PhotoOperation::refreshViews()
{
    m_isThumbRefreshFollowing = true;
    refreshWholeTable();
    m_isThumbRefreshFollowing = false;
    refreshThumb(true);
}

void PhotoOperation::refreshImageProduct(QStringList names)
{
    const QString shown = currentPhotoPath();
    applyProductMarks();
    refreshWholeTable();
    refreshThumb(names);
    showIfCurrentChanged(shown);
}

QString PhotoOperation::currentPhotoPath()
{
    ImageData* store = ImageData::getInstance();
    return store->getCurrentIndex() < 0 ? QString() : store->getCurrentImage().GetBigImagePath();
}

void PhotoOperation::showIfCurrentChanged(const QString& shown)
{
    // A photo that left the filter on show (taken out of its products, or sorted away) takes
    // the pane's picture with it: the pane shows the photo now current, or none.
    if (currentPhotoPath() != shown)
        emit SendImage();
}

void PhotoOperation::refreshProductImage()
{
    refreshImageProduct();
}

void PhotoOperation::applyProductMarks()
{
    ImageData* store = ImageData::getInstance();
    QList<Image>& fine = store->GetSeletedImages();
    const AlbumDisplay::ProductMarks marks = AlbumDisplay::productMarks(fine, ProductData::m_products);
    for (int i = 0; i < fine.size(); ++i)
        fine[i].setProductId(marks.marks.at(i));
    ProductData::useImages = marks.used;
    if (seleType != SELE_USED && seleType != SELE_UNUSED)
        return;
    store->setMyUsedimages(marks.usedPhotos);
    store->setMyUnUsedimages(marks.unusedPhotos);
}

void PhotoOperation::refreshWholeTable()
{
    tableModel->setPhotos(ImageData::getInstance()->getImagelist(seleType));
    updateLabel();
}

void PhotoOperation::updateMiddleThumimg(int index)
{
    const QList<Image> photos = ImageData::getInstance()->getImagelist(seleType);
    if (index >= 0 && index < photos.size())
        thumbJobs->refreshOne(photos.at(index), index, true);
}

void PhotoOperation::updateThumbIconOneRefresh(int index, QPixmap pic)
{
    if (listWidget->isHidden())
        return;
    if (listWidget->item(index))
        m_iconCache->deliver(index, pic);
}

// ---- Crop and remark sync ----

void PhotoOperation::onClipChanged()
{
    ImageData* store = ImageData::getInstance();
    // The cursor at its end position stands on no photo.
    if (store->getCurrentIndex() < 0)
        return;
    const Image photo = store->getCurrentImage();
    postPicInfo(photo.GetImageName(), photo.GetStrneed(), photo.GetTrimrc(), photo.isEllipse());
    refreshThumb(QStringList {photo.GetImageName()});
    refreshWholeTable();
}

void PhotoOperation::onClipTurned(const QString&)
{
    // The turn has posted the crop and made its thumbnail again itself: the table shows the
    // photo's record anew.
    refreshWholeTable();
}

void PhotoOperation::onRemarkChanged()
{
    ImageData* store = ImageData::getInstance();
    if (store->getCurrentIndex() < 0)
        return;
    const Image photo = store->getCurrentImage();
    postPicInfo(photo.GetImageName(), photo.GetStrneed(), photo.GetTrimrc(), photo.isEllipse());
    refreshWholeTable();
}

void PhotoOperation::postPicInfo(QString name, QString descr, QRect rect, bool ellipse)
{
    qCDebug(lcWorkspace).noquote() << "裁剪的接口：" << Config::url_post_picinfo;
    BackendPost::post(Config::url_post_picinfo, CropRemarkPost::body(name, descr, rect, ellipse), this,
        &PhotoOperation::queryPostPicInfoCallBack);
}

void PhotoOperation::queryPostPicInfoCallBack(const BackendReply& reply)
{
    showReplyError(QStringLiteral("警告"), CropRemarkPost::readReply(reply).errorText);
}

void PhotoOperation::paintEvent(QPaintEvent*)
{
    // A column dragged nearly shut closes.
    for (int column = 0; column < tableModel->columnCount(); ++column)
        if (tableView->columnWidth(column) < 23)
            tableView->setColumnWidth(column, 0);
}
