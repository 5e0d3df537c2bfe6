#include "workspace/selectphotoview.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "order/searchorder.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "tools/familydlg.h"
#include "tools/selectfamilytypedialog.h"
#include "viewer/photoview.h"
#include "workspace/orderphotoload.h"

#include <QCloseEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QSplitter>

#include <utility>

namespace {

// A folder of the template share as a local folder path that sub-folder names can be
// appended to: the back end may send it without its closing separator.
QString localFolder(const QString& serverPath)
{
    QString folder = FileOperation::changeIntoMacPath(serverPath);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

void logReply(const BackendReply& reply, const char* logLabel)
{
    if (reply.isNetworkError())
        qCDebug(lcWorkspace) << "error" << reply.errorString;
    else if (reply.isObject())
        qCDebug(lcWorkspace).noquote() << logLabel
                                       << QString::fromUtf8(QJsonDocument(reply.object).toJson(QJsonDocument::Compact));
}

} // namespace

SelectPhotoView::SelectPhotoView(QWidget* parent)
    : QMainWindow(parent)
    , isFamilyShown(false)
    , mainSplitter(nullptr)
    , workSplitter(nullptr)
    , viewSplitter(nullptr)
    , photoView(nullptr)
    , familyDlg(nullptr)
    , photoOperation(nullptr)
    , productDlg(nullptr)
{
    if (Config::isLocked)
        ReplyCheck::warn(QStringLiteral("该订单已锁定，仅能查看选片结果，如需修改请先解锁"));

    mainSplitter = new QSplitter(Qt::Horizontal, this);
    mainSplitter->setHandleWidth(0);
    mainSplitter->setChildrenCollapsible(false);
    mainSplitter->setOpaqueResize(false);
    mainSplitter->setStyleSheet(QStringLiteral("QSplitter::handle {background-color: #777777;}"));
    workSplitter = new QSplitter(Qt::Horizontal, this);
    workSplitter->setHandleWidth(2);
    workSplitter->setOpaqueResize(false);
    workSplitter->setStyleSheet(QStringLiteral("QSplitter::handle {background-color: #777777; margin-right:6px;}"));
    viewSplitter = new QSplitter(Qt::Vertical);
    viewSplitter->setHandleWidth(0);
    viewSplitter->setOpaqueResize(false);
    viewSplitter->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: #777777; }"));

    productDlg = new ProductDlg(this);
    photoView = new PhotoView(this);
    familyDlg = new FamilyDlg(this);
    photoOperation = new PhotoOperation(this);

    viewSplitter->addWidget(photoView);
    viewSplitter->addWidget(familyDlg);
    workSplitter->addWidget(viewSplitter);
    workSplitter->addWidget(photoOperation);
    mainSplitter->addWidget(workSplitter);
    mainSplitter->addWidget(productDlg);
    setCentralWidget(mainSplitter);
    familyDlg->hide();
    productDlg->hide();

    changeTitle();

    connect(productDlg, &ProductDlg::getProducetFinish, photoOperation, &PhotoOperation::refreshProductImage);
    connect(photoOperation, &PhotoOperation::sendDragMessage, this, &SelectPhotoView::receiveDragIndex);
    connect(photoOperation, &PhotoOperation::producePhoto, this, &SelectPhotoView::showProduceDlg);
    connect(photoOperation, &PhotoOperation::sendPhotoModel, this, &SelectPhotoView::changePhotoModel);
    connect(photoOperation, &PhotoOperation::SendImage, this, &SelectPhotoView::receiveImage);
    connect(photoOperation, &PhotoOperation::familyPhoto, this, &SelectPhotoView::showFamilyDlg);
    connect(photoOperation, qOverload<>(&PhotoOperation::comparePhoto), this,
        qOverload<>(&SelectPhotoView::onComparePhoto));
    connect(photoOperation, qOverload<QStringList>(&PhotoOperation::comparePhoto), this,
        qOverload<QStringList>(&SelectPhotoView::onComparePhoto));
    connect(photoOperation, &PhotoOperation::showCryPicture, this, &SelectPhotoView::showPhoto);
    connect(photoOperation, &PhotoOperation::sumbitSampleReslut, this, &SelectPhotoView::showSumbitDialog);
    connect(photoOperation, &PhotoOperation::sign_sendPhotoViewPhotoNumLabVisable, photoView,
        &PhotoView::slt_photoNumLabVisible);
    connect(familyDlg, &FamilyDlg::sendFamilyBigPicPath, this, &SelectPhotoView::showFamilyBigPic);
    connect(photoView, &PhotoView::sendUpdateMiddleRefresh, this, &SelectPhotoView::receiveRefreshMiddleWindow);
    connect(photoView, &PhotoView::sendClipChanged, this, &SelectPhotoView::receiveClipChanged);
    connect(photoView, &PhotoView::sendClipTurned, photoOperation, &PhotoOperation::onClipTurned);
    connect(photoView, &PhotoView::sendRemarkChanged, this, &SelectPhotoView::receiveRemarkChanged);
    connect(photoView, &PhotoView::sendDeleteImage, this, &SelectPhotoView::receiveDeleteImage);
    connect(photoView, &PhotoView::sendTitleChange, this, &SelectPhotoView::changeTitle);
    connect(photoView, &PhotoView::updateProductThumb, this, &SelectPhotoView::OnUpdateProductThumb);
    connect(photoView, &PhotoView::sendAnimalStopDeleteIMG, photoOperation, &PhotoOperation::deletePhotoSlot);
    connect(photoView, &PhotoView::sendUpdateRotateImg, photoOperation, &PhotoOperation::updateMiddleThumimg);
    connect(photoView, &PhotoView::sendUpdateThumbIconOneRefresh, photoOperation,
        &PhotoOperation::updateThumbIconOneRefresh);
    connect(photoView, &PhotoView::sendProAddImg, this, &SelectPhotoView::rightWidgetProUpdateImg);
    connect(photoView, &PhotoView::sendCursorMoved, photoOperation, &PhotoOperation::followCurrentPhoto);
    connect(photoView, &PhotoView::sendMovedToDeleted, photoOperation, &PhotoOperation::recordSetAside);
    connect(productDlg, &ProductDlg::getPicNamelist, this, &SelectPhotoView::sendProductMessage);
    connect(productDlg, &ProductDlg::showImage, this, &SelectPhotoView::receiveImage);
    connect(
        productDlg, qOverload<>(&ProductDlg::updateImage), this, qOverload<>(&SelectPhotoView::updateMiddleTableImage));
    connect(productDlg, qOverload<QStringList>(&ProductDlg::updateImage), this,
        qOverload<QStringList>(&SelectPhotoView::updateMiddleTableImage));
    connect(productDlg, &ProductDlg::sendSetLocked, this, &SelectPhotoView::setLocked);
    connect(productDlg, &ProductDlg::changeView, photoOperation, &PhotoOperation::clickSwitchView);

    queryAllReq();
    queryFamilyPicPath();
}

SelectPhotoView::~SelectPhotoView()
{
    BackendPost::dropPending(this);
    delete productDlg;
    delete photoView;
    delete familyDlg;
    delete photoOperation;
    delete viewSplitter;
    delete workSplitter;
    delete mainSplitter;
    ImageData::getInstance()->clearImages();
}

void SelectPhotoView::changeTitle()
{
    static const char* const suffixes[]
        = {"(缩略图+原图)", "(只原图)", "(只缩略图)", "(缩略图+小图)", "(缩略图+中图)", "(缩略图+大图)"};
    QString title = QStringLiteral("Velmo软件-影楼选片系统");
    if (Config::show_mode >= 0 && Config::show_mode <= 5)
        title += QString::fromUtf8(suffixes[Config::show_mode]);
    setWindowTitle(title);
}

// ---- Requests ----

void SelectPhotoView::queryAllReq()
{
    BackendPost::post(
        Config::url_query_orderdescr, OrderPhotoLoad::orderQueryBody(), this, &SelectPhotoView::queryAllReqCallBack);
}

void SelectPhotoView::queryFamilyPicPath()
{
    BackendPost::post(Config::url_query_picpath,
        FormBody::tokenBody({{"shopid", Config::shop_id}, {"companyid", Config::super_id},
            {"order_photo_id", Config::order_id}, {"order_sample_infoid", Config::order_sample_infoid}}),
        this, &SelectPhotoView::queryFamilyPicPathCallBack);
}

void SelectPhotoView::postAllProductReq()
{
    // Nothing calls this and no reply is read: the products panel saves the overall
    // requirement with a post of its own.
    BackendPost::post(Config::url_query_orderdescr,
        FormBody::tokenBody({{"orderid", Config::order_id}, {"shopid", Config::shop_id},
            {"orderdescr", ProductData::all_product_requirement},
            {"order_sample_infoid", Config::order_sample_infoid}}),
        this, [](const BackendReply&) {});
}

void SelectPhotoView::queryAllReqCallBack(const BackendReply& reply)
{
    logReply(reply, "orderDesc");
    if (ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询产品信息错误：")))
        ProductData::all_product_requirement = reply.object.value(QLatin1String("orderdescr")).toString();
}

void SelectPhotoView::queryFamilyPicPathCallBack(const BackendReply& reply)
{
    logReply(reply, "familyobj");
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询家居模板路径错误：")))
        return;
    const QJsonObject& root = reply.object;
    Config::orderHomePath = root.value(QLatin1String("homepicpath")).toString();
    DirServer::setHomeModelPath(localFolder(Config::orderHomePath));
    DirServer::setBackgroundMusicPath(localFolder(root.value(QLatin1String("backgroundmp3path")).toString()));
}

// ---- Keys and closing ----

void SelectPhotoView::keyPressEvent(QKeyEvent* event)
{
    qCDebug(lcWorkspace) << "event->key()" << event->key();
    switch (event->key()) {
    case Qt::Key_F1:
        photoOperation->clickRawPhoto();
        break;
    case Qt::Key_F2:
        photoOperation->clickFinePhoto();
        break;
    case Qt::Key_F3:
        photoOperation->clickDeletePhoto();
        break;
    case Qt::Key_F11:
        photoOperation->clickSwitchView();
        break;
    case Qt::Key_F12:
        Config::changeOrderMode();
        qCDebug(lcWorkspace) << "f12" << Config::getOrderMode();
        photoOperation->reshowAlbum(ImageData::getInstance()->getType());
        break;
    default:
        // Other keys end here: they are not passed on.
        break;
    }
}

void SelectPhotoView::closeEvent(QCloseEvent* event)
{
    if (Prompt::question(this, QString(), QStringLiteral("确认关闭选片系统？")) == QMessageBox::No) {
        event->ignore();
        return;
    }
    SearchOrder* search = new SearchOrder(nullptr);
    search->orderList = orderList;
    search->lastQueryBody = lastQueryBody;
    search->isReload = true;
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->showMaximized();
    search->ReloadTableView();
    event->accept();
}

// ---- The hub ----

void SelectPhotoView::changePhotoModel(PHOTOMODEL use, int currentType, SELETYPE selType)
{
    photoView->photoModel = currentType;
    ImageData* images = ImageData::getInstance();
    switch (use) {
    case PHOTO_RAW:
    case PHOTO_DELETED:
    case PHOTO_DESIGN:
    case PHOTO_DESIGN_DELETED:
        images->setType(use, SELE_ALL);
        photoView->setButtonsEnable(false);
        break;
    case PHOTO_FINE:
        // The filter on show stays the store's: the pane's checks and steps read it.
        images->setType(use, selType);
        photoView->setButtonsEnable(true);
        break;
    }
    productDlg->seleType = selType;
}

void SelectPhotoView::receiveImage()
{
    photoView->stopTimerAcitve();
    photoView->showImage();
}

void SelectPhotoView::showPhoto(QStringList selectedImages)
{
    photoView->showCryLabelNew(selectedImages);
}

void SelectPhotoView::showSumbitDialog(int type)
{
    productDlg->refreshProduct(type);
}

void SelectPhotoView::updateMiddleTableImage()
{
    photoOperation->refreshImageProduct();
}

void SelectPhotoView::updateMiddleTableImage(QStringList imgNameList)
{
    photoOperation->refreshImageProduct(imgNameList);
}

void SelectPhotoView::receiveRefreshMiddleWindow(QStringList deletedImageNames)
{
    qCDebug(lcWorkspace) << "刷新中部，删除一些缩略图";
    receiveDeleteImage(deletedImageNames);
}

void SelectPhotoView::receiveDeleteImage(QStringList imageList)
{
    photoOperation->removeListItem(imageList);
    photoOperation->refreshWholeTable();
}

void SelectPhotoView::showProduceDlg(bool isVisible)
{
    if (isVisible) {
        productDlg->show();
        mainSplitter->setHandleWidth(2);
        mainSplitter->setStretchFactor(mainSplitter->indexOf(productDlg), 1);
    } else {
        productDlg->hide();
        mainSplitter->setHandleWidth(0);
    }
}

void SelectPhotoView::showFamilyDlg()
{
    isFamilyShown = !isFamilyShown;
    if (isFamilyShown) {
        photoOperation->isFamilyShown = true;
        SelectFamilyTypeDialog* dialog = new SelectFamilyTypeDialog(nullptr);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::ApplicationModal);
        connect(dialog, &SelectFamilyTypeDialog::sendType, this, &SelectPhotoView::onReceiveFamilyType);
        dialog->show();
    } else {
        photoOperation->isFamilyShown = false;
        familyDlg->hide();
        viewSplitter->setHandleWidth(0);
    }
}

void SelectPhotoView::onReceiveFamilyType(int t)
{
    QString folder;
    if (t == 1)
        folder = DirServer::getLivingRoomHomeModelPath();
    else if (t == 2)
        folder = DirServer::getOtherHomeModelPath();
    else
        folder = DirServer::getBedRoomHomeModelPath();
    familyDlg->show();
    viewSplitter->setHandleWidth(2);
    viewSplitter->setStretchFactor(viewSplitter->indexOf(familyDlg), 1);
    familyDlg->importFamilyPic(folder);
}

void SelectPhotoView::showFamilyBigPic(QString& path)
{
    photoView->showFamilyPic(path);
}

void SelectPhotoView::onComparePhoto()
{
    photoView->showComparePic();
}

void SelectPhotoView::onComparePhoto(QStringList paths)
{
    photoView->showComparePic(paths);
}

void SelectPhotoView::sendProductMessage()
{
    QStringList names = photoOperation->GetSelectedItems(false);
    qCDebug(lcWorkspace) << "添加到产品的图片数组" << names;
    productDlg->setPicNames(names);
}

void SelectPhotoView::rightWidgetProUpdateImg(QStringList imgs)
{
    productDlg->setPicNames(imgs);
    productDlg->addToProduct1();
}

void SelectPhotoView::receiveClipChanged()
{
    photoOperation->onClipChanged();
}

void SelectPhotoView::receiveRemarkChanged()
{
    photoOperation->onRemarkChanged();
}

void SelectPhotoView::OnUpdateProductThumb()
{
    productDlg->refreshList();
}

void SelectPhotoView::setLocked()
{
    photoView->setLocked();
    photoOperation->setLocked();
    productDlg->setLocked();
}

void SelectPhotoView::receiveDragIndex(bool isdrag, QString& path)
{
    photoView->setImageEditerDragIndex(isdrag, path);
}

void SelectPhotoView::goToPreviousThumb()
{
    qCDebug(lcWorkspace) << "111";
}

void SelectPhotoView::goToNextThumb()
{
    qCDebug(lcWorkspace) << "222";
}
