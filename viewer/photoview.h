#ifndef PHOTOVIEW_H
#define PHOTOVIEW_H

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class OpenGlWidget;
class QLabel;
namespace Ui {
class PhotoView;
}

// The large-photo pane of the selection workspace. The workspace creates one, writes the
// album it shows into `photoModel`, calls the public operations and connects the signals.
//
// So far the pane holds its frame, the tool bar's crop and remark buttons, the slide-show
// timer, the photo-number label and the set-aside popup; showing, comparing and the room
// preview come with the picture widgets.
class PhotoView : public QWidget
{
    Q_OBJECT
public:
    explicit PhotoView(QWidget* parent = nullptr);
    ~PhotoView() override;

    // The album the workspace shows (a PHOTOMODEL value); only the workspace writes it.
    int photoModel;

    void showImage();
    void stopTimerAcitve();
    // The set-aside popup for these photos; sendAnimalStopDeleteIMG() once it has closed.
    void showCryLabelNew(QStringList names);
    void setButtonsEnable(bool enable);
    void setLocked();
    void showComparePic();
    void showComparePic(QStringList paths);
    void showFamilyPic(QString& path);
    void setImageEditerDragIndex(bool isdrag, QString& path);

signals:
    void sendUpdateMiddleRefresh(QStringList deletedImageNames);
    void sendClipChanged();
    void sendRemarkChanged();
    void sendDeleteImage(QStringList imgName);
    void sendTitleChange();
    void updateProductThumb();
    void sendAnimalStopDeleteIMG();
    void sendUpdateRotateImg(int num);
    void sendUpdateThumbIconOneRefresh(int index, QPixmap pic);
    void sendProAddImg(QStringList imgs);

public slots:
    void slt_photoNumLabVisible(bool visible);
    void stopGifNew();
    void finishTipDailog();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Ui::PhotoView* ui;
    OpenGlWidget* familyWidget;
    // The latest photo pressed for the room preview; earlier loads still running are dropped.
    int m_familyPhotoLoad = 0;
    QTimer timer;
    // A child of the top-level window, so that it floats over the whole workspace.
    QPointer<QLabel> photoNumLabel;
};

#endif // PHOTOVIEW_H
