#ifndef SELECTPHOTOVIEW_H
#define SELECTPHOTOVIEW_H

#include "order/order.h"
#include "workspace/photooperation.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

class FamilyDlg;
class PhotoView;
class ProductDlg;
class QSplitter;
struct BackendReply;

// The window in which one order's photos are selected: the viewer above the room-template
// chooser, the album panel beside them and the products panel on the right. Every signal
// between the panes passes through this window. Closing it goes back to the order search
// with the list it was opened from.
class SelectPhotoView : public QMainWindow
{
    Q_OBJECT
public:
    explicit SelectPhotoView(QWidget* parent = nullptr);
    ~SelectPhotoView() override;

    // The search result and the last query the window was opened from; handed back on close.
    QList<order> orderList;
    QByteArray lastQueryBody;
    // The room preview was asked for.
    bool isFamilyShown;
    QSplitter* mainSplitter;
    QSplitter* workSplitter;
    QSplitter* viewSplitter;
    PhotoView* photoView;
    FamilyDlg* familyDlg;
    PhotoOperation* photoOperation;
    ProductDlg* productDlg;

    void queryAllReq();
    void queryFamilyPicPath();
    void postAllProductReq();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    void changeTitle();
    void changePhotoModel(PHOTOMODEL use, int currentType, SELETYPE selType);
    void receiveImage();
    void showPhoto(QStringList selectedImages);
    void showSumbitDialog(int type);
    void updateMiddleTableImage();
    void updateMiddleTableImage(QStringList imgNameList);
    void receiveRefreshMiddleWindow(QStringList deletedImageNames);
    void showProduceDlg(bool isVisible);
    void showFamilyDlg();
    void onReceiveFamilyType(int t);
    void showFamilyBigPic(QString& path);
    void onComparePhoto();
    void onComparePhoto(QStringList paths);
    void sendProductMessage();
    void receiveClipChanged();
    void receiveRemarkChanged();
    void receiveDeleteImage(QStringList imageList);
    void OnUpdateProductThumb();
    void setLocked();
    void receiveDragIndex(bool isdrag, QString& path);
    void rightWidgetProUpdateImg(QStringList imgs);
    void goToPreviousThumb();
    void goToNextThumb();

    void queryAllReqCallBack(const BackendReply& reply);
    void queryFamilyPicPathCallBack(const BackendReply& reply);
};

#endif // SELECTPHOTOVIEW_H
