#include "viewer/photoview.h"
#include "ui_photoview.h"

#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "tools/openglwidget.h"
#include "viewer/movicedialog.h"
#include "viewer/tipdialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QResizeEvent>
#include <QThreadPool>

PhotoView::PhotoView(QWidget* parent)
    : QWidget(parent)
    , photoModel(PHOTO_FINE)
    , ui(new Ui::PhotoView)
{
    ui->setupUi(this);
    ui->w_btom->setFixedHeight(int(40 * Config::scaleDpi));
    ui->familyscroll->hide();
    familyWidget = new OpenGlWidget(nullptr);
    familyWidget->setAcceptDrops(true);
    ui->familyscroll->setWidget(familyWidget);
    ui->familyscroll->setAlignment(Qt::AlignCenter);

    // Nothing is shown yet: no slide show, no crop, no remark.
    ui->BottomButton_Play_Stop->setEnabled(false);
    setButtonsEnable(false);

    photoNumLabel = new QLabel(window());
    QFont font = photoNumLabel->font();
    font.setPointSize(12);
    photoNumLabel->setFont(font);
    photoNumLabel->setAlignment(Qt::AlignCenter);
    photoNumLabel->setStyleSheet(QStringLiteral("color: ") + Config::photoNumAlertColor);
    photoNumLabel->setFrameStyle(0);
    photoNumLabel->hide();
}

PhotoView::~PhotoView()
{
    delete photoNumLabel;
    delete ui;
}

void PhotoView::showImage()
{
    // A photo shown ends the room preview.
    ui->familyscroll->hide();
    ui->imagescroll->show();
    // Loading the current photo comes with the picture widget.
}

void PhotoView::stopTimerAcitve()
{
    timer.stop();
    ui->BottomButton_Play_Stop->setText(QStringLiteral("播放"));
}

void PhotoView::showCryLabelNew(QStringList)
{
    // The album panel moves the photos once the popup has closed; the style picks the popup.
    if (Config::delete_style.isNull() || Config::delete_style == QLatin1String("0")) {
        MoviceDialog::tip = QStringLiteral("删除成功");
        MoviceDialog* popup = new MoviceDialog(nullptr);
        connect(popup, &MoviceDialog::finishTipDailog, this, &PhotoView::stopGifNew);
        popup->setGeometry(width() / 2 - 110, height() / 2, popup->width(), popup->height());
        popup->setWindowModality(Qt::ApplicationModal);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        popup->show();
        return;
    }
    TipDialog::tip = QStringLiteral("删除成功");
    TipDialog* popup = new TipDialog(this);
    connect(popup, &TipDialog::finishTipDailog, this, &PhotoView::stopGifNew);
    popup->setWindowModality(Qt::ApplicationModal);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFixedSize(ui->imagescroll->width() + 10, ui->imagescroll->height() + 20);
    popup->setStyleSheet(QStringLiteral("background-color: #80000000"));
    popup->show();
    popup->startAnima();
}

void PhotoView::stopGifNew()
{
    emit sendAnimalStopDeleteIMG();
}

void PhotoView::finishTipDailog()
{
}

void PhotoView::setButtonsEnable(bool enable)
{
    ui->BottomButton_Clip->setEnabled(enable);
    ui->BottomButton_Remark->setEnabled(enable);
    if (Config::isLocked) {
        ui->BottomButton_Clip->setEnabled(false);
        ui->BottomButton_Remark->setEnabled(false);
    }
}

void PhotoView::setLocked()
{
    setButtonsEnable(!Config::isLocked);
}

void PhotoView::showComparePic()
{
    // Comparison comes with the picture widget.
}

void PhotoView::showComparePic(QStringList)
{
    // Comparison comes with the picture widget.
}

void PhotoView::showFamilyPic(QString& path)
{
    ui->familyscroll->show();
    ui->imagescroll->hide();
    familyWidget->showFamilyModelImage(path);
}

void PhotoView::setImageEditerDragIndex(bool isdrag, QString& path)
{
    // The album panel names the full-size photo; its 1000-pixel thumbnail is ample for the
    // preview (the full file only when the thumbnail is not there yet). Read on a worker.
    QString thumbnail;
    for (const Image& photo : ImageData::getInstance()->getImagelist(SELE_ALL)) {
        if (photo.GetBigImagePath() == path) {
            thumbnail = photo.GetImagePath();
            break;
        }
    }
    const int load = ++m_familyPhotoLoad;
    const QPointer<PhotoView> self(this);
    const QString full = path;
    QThreadPool::globalInstance()->start([self, load, isdrag, full, thumbnail] {
        QImage image = thumbnail.isEmpty() ? QImage() : ImageOperation::loadImage(thumbnail);
        if (image.isNull()) {
            image = ImageOperation::loadImageAtLeast(full, 1000);
            if (image.width() > 1000 || image.height() > 1000)
                image = image.scaled(1000, 1000, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        QMetaObject::invokeMethod(
            qApp,
            [self, load, isdrag, image]() mutable {
                // A photo that cannot be read changes nothing.
                if (!self || load != self->m_familyPhotoLoad || image.isNull())
                    return;
                self->familyWidget->setIsDrag(isdrag);
                self->familyWidget->receivePhoto(image);
            },
            Qt::QueuedConnection);
    });
}

void PhotoView::slt_photoNumLabVisible(bool visible)
{
    if (!photoNumLabel)
        return;
    if (!visible) {
        photoNumLabel->hide();
        return;
    }
    ImageData* images = ImageData::getInstance();
    photoNumLabel->setText(QString::number(images->getCurrentIndex() + 1) + QLatin1Char('/')
        + QString::number(images->getChengPinImgs()) + QLatin1Char('/') + QString::number(images->getDeletedImgs()));
    photoNumLabel->raise();
    photoNumLabel->show();
}

void PhotoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (photoNumLabel)
        photoNumLabel->setGeometry(event->size().width() - 100, 10, 100, 30);
}
