#include "viewer/imageediter.h"

#include "widgets/homeimage.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/worker.h"
#include "photostore/basethumbnailthread.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "photostore/thumbnailthread.h"
#include "viewer/comparereplyrelay.h"
#include "viewer/picturezoom.h"
#include "viewer/rotationsave.h"
#include "viewer/slidetransition.h"

#include <QMouseEvent>
#include <QPainter>
#include <QThreadPool>
#include <QTimeLine>
#include <QTransform>

namespace {

// A corner zone reaches this far (exclusive) from the corner point each way.
const int CornerReach = 10;

const int AnimMode = 5;

enum ClipPosition { Outside = 0, Inside = 1, TopLeft = 2, TopRight = 3, BottomLeft = 4, BottomRight = 5 };

QImage turned(const QImage& image, int angle)
{
    return image.transformed(QTransform().rotate(angle), Qt::FastTransformation);
}

QImage fitted(const QImage& image, int w, int h)
{
    return image.scaled(w, h, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

ImageEditer::ImageEditer(QWidget* parent)
    : QLabel(parent)
    , m_mode(0)
    , m_isPressed(false)
    , m_ellipse(false)
    , m_photoType(PHOTO_RAW)
    , m_offsetX(0)
    , m_offsetY(0)
    , m_rollAngle(0)
    , m_scaleLevel(0)
    , m_clipRatio(0)
    , m_clipPosition(Outside)
    , m_loadThread(new BaseThumbnailThread())
    , m_timeLine(nullptr)
    , m_animPos(0)
    , m_effect(0)
    , m_animEllipse(false)
    , m_isAnimating(false)
    , m_compareGeneration(0)
    , m_fittedSource(0)
{
    setMouseTracking(true);
    setAcceptDrops(true);
    connect(this, &ImageEditer::updateGreyImage, this, &ImageEditer::onUpdateGreyImage);
    clearPoints();
    iniTimer();
}

ImageEditer::~ImageEditer()
{
    releaseLoader();
}

// ---- Display ----

void ImageEditer::showImage(QImage image, QString name, QRect clipRect, PHOTOTYPE type, bool ellipse, int effect)
{
    m_image = image;
    if (effect == 0)
        showImage(image, clipRect, type, ellipse);
    else if (name != m_imageName)
        startDraw(image, clipRect, type, ellipse, effect);
    else if (m_isAnimating)
        // A larger picture of the photo in transition has arrived.
        m_animImage = SlideTransition::fittedToScreen(image);
    else
        showImage(image, clipRect, type, ellipse);
    m_imageName = name;
}

void ImageEditer::showImage(QImage image, QRect clipRect, PHOTOTYPE type, bool ellipse)
{
    leaveComparison();
    const QSize thousand = image.size().scaled(1000, 1000, Qt::KeepAspectRatio);
    m_imageClipRect = ImageOperation::scaleRectBySize(thousand, clipRect, image.size());
    m_image = image;
    m_photoType = type;
    m_ellipse = ellipse;
    m_offsetX = m_offsetY = 0;
    m_rollAngle = 0;
    m_scaleLevel = 0;
    m_mode = 0;
    const QImage scaled = fittedImage();
    m_scaledImage
        = darkened(scaled, ImageOperation::scaleRectBySize(m_image.size(), m_imageClipRect, scaled.size()), m_ellipse);
    update();
}

QRect ImageEditer::scaleRect(QImage from, QRect rect, QImage to)
{
    return ImageOperation::scaleRect(from, rect, to);
}

QRect ImageEditer::getImageRect()
{
    return QRect(
        QPoint((width() - m_scaledImage.width()) / 2, (height() - m_scaledImage.height()) / 2), m_scaledImage.size());
}

int ImageEditer::roll_angle() const
{
    return m_rollAngle;
}

void ImageEditer::showHomeImage(HomeImage)
{
    leaveComparison();
    m_mode = 3;
    update();
}

void ImageEditer::setImage(const QImage& image)
{
    m_animImage = image;
}

void ImageEditer::setEffect(int effect)
{
    m_effect = effect;
}

QRect ImageEditer::getClipRectToLabel(QRect rect)
{
    return rect.translated((width() - m_scaledImage.width()) / 2, (height() - m_scaledImage.height()) / 2);
}

void ImageEditer::iniTimer()
{
    m_timeLine = SlideTransition::makeTimeLine(this);
    connect(m_timeLine, &QTimeLine::frameChanged, this, &ImageEditer::slot_timeOut);
}

void ImageEditer::startDraw(const QImage& image, QRect clipRect, PHOTOTYPE type, bool ellipse, int effect)
{
    leaveComparison();
    m_mode = AnimMode;
    m_image = image;
    m_photoType = type;
    m_effect = effect;
    m_animEllipse = ellipse;
    m_animClipRect = clipRect;
    m_isAnimating = true;
    m_animImage = SlideTransition::fittedToScreen(image);
    SlideTransition::restart(m_timeLine, m_animImage.height());
}

void ImageEditer::slot_timeOut(int val0)
{
    const int ih = m_animImage.height();
    m_animPos = SlideTransition::position(val0, ih);
    if (val0 == SlideTransition::lastFrame(ih)) {
        showImage(m_animImage, m_animClipRect, m_photoType, m_animEllipse);
        m_isAnimating = false;
        return;
    }
    update();
}

void ImageEditer::drawAnimPixmap()
{
    QPainter painter(this);
    SlideTransition::paint(painter, SlideTransition::paneShape(m_effect), m_animImage, size(), m_animPos);
}

void ImageEditer::offerFitted(const QImage& image, const QImage& fitted, QSize box)
{
    if (image.isNull() || fitted.isNull() || box != size())
        return;
    m_fittedImage = fitted;
    m_fittedFor = box;
    m_fittedSource = image.cacheKey();
}

QImage ImageEditer::fittedImage()
{
    if (m_fittedFor != size() || m_fittedSource != m_image.cacheKey()) {
        m_fittedImage = m_image.isNull() ? QImage() : fitted(m_image, width(), height());
        m_fittedFor = size();
        m_fittedSource = m_image.cacheKey();
    }
    return m_fittedImage;
}

QImage ImageEditer::darkened(const QImage& scaled, const QRect& clip, bool ellipse) const
{
    return ImageOperation::getGrayImage(m_photoType, scaled, clip, ellipse);
}

// ---- Zoom and view rotation ----

QImage ImageEditer::scaleImage(int level)
{
    QImage scaled;
    if (level == 0) {
        scaled = fittedImage();
    } else {
        const QSize box = PictureZoom::box(size(), level);
        scaled = fitted(m_image, box.width(), box.height());
    }
    m_scaledImage
        = darkened(scaled, ImageOperation::scaleRectBySize(m_image.size(), m_imageClipRect, scaled.size()), m_ellipse);
    if (m_rollAngle % 360 != 0)
        m_scaledImage = turned(m_scaledImage, m_rollAngle);
    return m_scaledImage;
}

void ImageEditer::scaleLarge()
{
    if (m_mode != 0)
        return;
    m_scaleLevel = PictureZoom::stepped(m_scaleLevel, true);
    scaleImage(m_scaleLevel);
    update();
}

void ImageEditer::scaleSmall()
{
    if (m_mode != 0)
        return;
    m_scaleLevel = PictureZoom::stepped(m_scaleLevel, false);
    scaleImage(m_scaleLevel);
    update();
}

void ImageEditer::setScaleLevel(int level)
{
    // Beyond the zoom steps the box overflows and the picture would not fit in memory.
    m_scaleLevel = qBound(0, level, PictureZoom::MaxLevel);
    scaleImage(m_scaleLevel);
    update();
}

void ImageEditer::rotateClockWise()
{
    m_scaledImage = turned(m_scaledImage, 90);
    m_rollAngle += 90;
    update();
}

void ImageEditer::rotateAntiClockWise()
{
    m_scaledImage = turned(m_scaledImage, -90);
    m_rollAngle -= 90;
    qCDebug(lcViewer) << "rotateAntiClockWise" << m_rollAngle;
    update();
}

// ---- Comparison ----

void ImageEditer::showCompare(QString path)
{
    leaveComparison();
    const int generation = m_compareGeneration;
    BaseThumbnailThread* loader = new BaseThumbnailThread(path, 0, 0);
    m_loadThread = loader;
    connect(loader, &QThread::finished, loader, &QObject::deleteLater);
    connect(loader, &BaseThumbnailThread::finishScale, this, [this, generation](QImage img) {
        if (generation == m_compareGeneration)
            onFinishLoad(img);
    });
    loader->start();
}

void ImageEditer::showCompare(QList<QString> paths)
{
    leaveComparison();
    m_cmpImages.clear();
    CompareReplyRelay* relay = new CompareReplyRelay(this);
    m_compareRelay = relay;
    connect(relay, &CompareReplyRelay::replied, this, &ImageEditer::onFinishLoadCmpImage);
    for (int i = 0; i < paths.size(); ++i) {
        QThreadPool::globalInstance()->start(new ThumbnailThread(i, paths.at(i), relay));
        m_cmpImages.append(QImage());
    }
}

void ImageEditer::onFinishLoad(QImage img)
{
    m_mode = 2;
    m_cmpImages.clear();
    // The raw photo always on the left, the selected one on the right.
    const PHOTOTYPE album = ImageData::getInstance()->getType();
    if (album == PHOTO_RAW)
        m_cmpImages = {m_image, img};
    else if (album == PHOTO_FINE)
        m_cmpImages = {img, m_image};
    update();
}

void ImageEditer::onFinishLoadCmpImage(QImage img, int index)
{
    m_mode = 2;
    if (index >= 0 && index < m_cmpImages.size()) {
        m_cmpImages[index] = img;
        update();
    }
}

void ImageEditer::leaveComparison()
{
    ++m_compareGeneration;
    delete m_compareRelay.data();
    releaseLoader();
}

void ImageEditer::releaseLoader()
{
    if (!m_loadThread)
        return;
    BaseThumbnailThread* loader = m_loadThread.data();
    m_loadThread.clear();
    disconnect(loader, nullptr, this, nullptr);
    // A running loader must not be destroyed: it deletes itself once finished.
    if (!loader->isRunning())
        delete loader;
}

// ---- Rotation save ----

void ImageEditer::updateImageLib(int mode, int angle)
{
    ImageData* store = ImageData::getInstance();
    const Image photo = store->getCurrentImage();
    RotationSave save;
    save.photo = photo;
    save.full = photo.GetBigImagePath();
    save.small = photo.GetImagePath();
    save.middle = photo.GetMiddleImagePath();
    save.list = photo.GetThumbPath100();
    // A raw or design picture named like a 成品 photo must not turn that photo's marks picture.
    if (carriesCropAndMarks(photo.GetPicType()))
        save.marks = DirServer::getMarkerPath() + photo.GetImageName();
    save.index = store->getCurrentIndex();
    // Only a turn in either direction is saved: anything else would rewrite the files as they are.
    save.angle = (mode == 0 || mode == 1) ? angle : 0;
    const bool shown
        = !m_image.isNull() && save.index >= 0 && (m_imageName.isEmpty() || m_imageName == photo.GetImageName());
    if (!shown || save.quarterTurns() == 0) {
        QMetaObject::invokeMethod(
            this, [this] { emit rotateFinished(); }, Qt::QueuedConnection);
        return;
    }

    Worker::run(
        this, [save] { return save.write(); },
        [this, save](const RotationSave::Outcome& outcome) {
            if (outcome.isWritten) {
                // What is drawn on the photo is seen to first: the pane may hold the rest until
                // the crop and the marks are turned.
                emit turnSaved(SavedTurn {save.photo, save.quarterTurns(), outcome.photoSize});
                emit rotateSaved(save.index);
            } else {
                Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("照片旋转保存失败，原照片未改动"),
                    QMessageBox::Yes, QMessageBox::Yes);
            }
            emit rotateFinished();
        });
}

// ---- Crop frames ----

void ImageEditer::startClip(int w, int h)
{
    startFrame(w, h, 1);
}

void ImageEditer::startCircleClip(int w, int h)
{
    startFrame(w, h, 4);
}

void ImageEditer::startFrame(int w, int h, int mode)
{
    leaveComparison();
    m_scaledImage = fittedImage();
    const int sw = m_scaledImage.width();
    const int sh = m_scaledImage.height();
    if (w > 0 && h > 0 && sw > 0 && sh > 0) {
        m_clipRatio = double(h) / w;
        int frameWidth = sw;
        int frameHeight = sh;
        if (m_clipRatio >= double(sh) / sw)
            frameWidth = int(sh / m_clipRatio);
        else
            frameHeight = int(sw * m_clipRatio);
        m_clipRect = QRect(width() / 2 - frameWidth / 2, height() / 2 - frameHeight / 2, frameWidth, frameHeight);
    } else {
        // A size with a zero side (the chooser's cancel) has no ratio, nor has a picture of
        // no size: an empty frame in the middle, which no drag can grow.
        m_clipRatio = 0;
        m_clipRect = QRect(width() / 2, height() / 2, 0, 0);
    }
    m_mode = mode;
    m_scaledImage = darkened(m_scaledImage, getClipRectToScaledImage(), mode == 4);
    update();
}

int ImageEditer::getMousePositionInClipRect(int x, int y)
{
    int code = Outside;
    if (m_mode == 1 || m_mode == 4) {
        const QRect& frame = m_clipRect;
        auto near = [x, y](const QPoint& corner) {
            return qAbs(x - corner.x()) < CornerReach && qAbs(y - corner.y()) < CornerReach;
        };
        if (near(frame.topLeft()))
            code = TopLeft;
        else if (near(frame.topRight()))
            code = TopRight;
        else if (near(frame.bottomLeft()))
            code = BottomLeft;
        else if (near(frame.bottomRight()))
            code = BottomRight;
        else if (frame.left() < x && x < frame.right() && frame.top() < y && y < frame.bottom())
            code = Inside;
    }
    static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeAllCursor, Qt::SizeFDiagCursor,
        Qt::SizeBDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor};
    setCursor(shapes[code]);
    return code;
}

void ImageEditer::moveClipRect()
{
    if ((m_mode != 1 && m_mode != 4) || m_clipPosition == Outside)
        return;
    const QRect bounds = getImageRect();
    QRect frame = m_clipRect;
    if (m_clipPosition == Inside) {
        QPoint topLeft = m_movePoint - m_pressPoint + frame.topLeft();
        if (topLeft.x() < bounds.left())
            topLeft.setX(bounds.left());
        if (topLeft.x() > bounds.right() - frame.width())
            topLeft.setX(bounds.right() - frame.width());
        if (topLeft.y() < bounds.top())
            topLeft.setY(bounds.top());
        if (topLeft.y() > bounds.bottom() - frame.height())
            topLeft.setY(bounds.bottom() - frame.height());
        frame.moveTopLeft(topLeft);
        m_pressPoint = m_movePoint;
    } else {
        // Resize by the dragged corner; the opposite corner stays where it is.
        int mx = m_movePoint.x();
        int my = m_movePoint.y();
        QPoint fixed;
        bool exists = false;
        int across = 0; // horizontal mouse distance from the fixed corner
        int down = 0;   // vertical mouse distance from the fixed corner
        switch (m_clipPosition) {
        case TopLeft:
            fixed = frame.bottomRight();
            exists = mx < fixed.x() && my < fixed.y();
            mx = qMax(mx, bounds.left());
            my = qMax(my, bounds.top());
            across = fixed.x() - mx;
            down = fixed.y() - my;
            break;
        case TopRight:
            fixed = frame.bottomLeft();
            exists = mx > fixed.x() && my < fixed.y();
            mx = qMin(mx, bounds.right());
            my = qMax(my, bounds.top());
            across = mx - fixed.x();
            down = fixed.y() - my;
            break;
        case BottomLeft:
            fixed = frame.topRight();
            exists = mx < fixed.x() && my > fixed.y();
            mx = qMax(mx, bounds.left());
            my = qMin(my, bounds.bottom());
            across = fixed.x() - mx;
            down = my - fixed.y();
            break;
        default:
            fixed = frame.topLeft();
            exists = mx > fixed.x() && my > fixed.y();
            mx = qMin(mx, bounds.right());
            my = qMin(my, bounds.bottom());
            across = mx - fixed.x();
            down = my - fixed.y();
            break;
        }
        int frameHeight = 0;
        int frameWidth = 0;
        // Without a ratio (a size with a zero side) the frame stays empty.
        if (exists && m_clipRatio > 0) {
            frameHeight = qMax(0, qMin(int(across * m_clipRatio), down));
            frameWidth = int(frameHeight / m_clipRatio);
        }
        frame.setSize(QSize(frameWidth, frameHeight));
        switch (m_clipPosition) {
        case TopLeft:
            frame.moveBottomRight(fixed);
            break;
        case TopRight:
            frame.moveBottomLeft(fixed);
            break;
        case BottomLeft:
            frame.moveTopRight(fixed);
            break;
        default:
            frame.moveTopLeft(fixed);
            break;
        }
    }
    m_clipRect = frame;
    emit updateGreyImage();
}

QRect ImageEditer::getClipRectToScaledImage()
{
    return m_clipRect.translated(-((width() - m_scaledImage.width()) / 2), -((height() - m_scaledImage.height()) / 2));
}

QRect ImageEditer::getClipRectToOriginalImage()
{
    return scaleRect(m_scaledImage, getClipRectToScaledImage(), m_image);
}

QRect ImageEditer::getClipRectToThousand()
{
    return ImageOperation::scaleRect(m_image, getClipRectToOriginalImage(), 1000);
}

bool ImageEditer::isEllipse()
{
    return m_mode == 4;
}

void ImageEditer::clearPoints()
{
    m_pressPoint = QPoint(0, 0);
    m_movePoint = QPoint(0, 0);
}

void ImageEditer::onUpdateGreyImage()
{
    m_scaledImage = fittedImage();
    if (m_mode == 1 || m_mode == 4)
        m_scaledImage = darkened(m_scaledImage, getClipRectToScaledImage(), m_mode == 4);
}

// ---- Mouse ----

void ImageEditer::mousePressEvent(QMouseEvent* event)
{
    if (m_mode == 1 || m_mode == 4) {
        m_isPressed = true;
        m_clipPosition = getMousePositionInClipRect(event->x(), event->y());
        m_pressPoint = m_movePoint = event->pos();
        return;
    }
    if (m_mode == 2 || m_mode == 3)
        return;
    m_isPressed = true;
    setCursor(Qt::ClosedHandCursor);
    m_pressPoint = m_movePoint = event->pos();
}

void ImageEditer::mouseMoveEvent(QMouseEvent* event)
{
    emit sendMouseMove(event->x(), event->y());
    if (m_mode == 1 || m_mode == 4) {
        if (!m_isPressed) {
            m_clipPosition = getMousePositionInClipRect(event->x(), event->y());
            return;
        }
        m_movePoint = event->pos();
        moveClipRect();
        update();
        return;
    }
    if (m_mode == 2 || m_mode == 3)
        return;
    if (m_isPressed) {
        m_movePoint = event->pos();
        update();
    } else {
        setCursor(Qt::OpenHandCursor);
    }
}

void ImageEditer::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_mode == 1 || m_mode == 4) {
        m_clipPosition = getMousePositionInClipRect(event->x(), event->y());
        update();
    } else if (m_mode != 2 && m_mode != 3) {
        setCursor(Qt::OpenHandCursor);
    }
    m_isPressed = false;
    clearPoints();
}

// ---- Painting ----

void ImageEditer::paintEvent(QPaintEvent*)
{
    drawBlackBackgroud();
    if (m_image.isNull())
        return;
    switch (m_mode) {
    case 1:
        drawClipModePixmap();
        break;
    case 4:
        drawCircleClipModePixmap();
        break;
    case 2:
        if (m_cmpImages.size() == 2)
            drawCompareModePixmap();
        else
            drawMultiCompareModePixmap();
        break;
    case 3:
        break;
    case AnimMode:
        drawAnimPixmap();
        break;
    default:
        drawBrosweModePixmap();
        break;
    }
}

void ImageEditer::drawBlackBackgroud()
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void ImageEditer::drawBrosweModePixmap()
{
    if (m_scaleLevel == 0)
        scaleImage(0);
    const int w = m_scaledImage.width();
    const int h = m_scaledImage.height();
    const QPoint drag = m_movePoint - m_pressPoint + QPoint(m_offsetX, m_offsetY);
    const QPoint offset = PictureZoom::clampedDrag(m_scaledImage.size(), size(), drag);
    m_offsetX = offset.x();
    m_offsetY = offset.y();
    m_pressPoint = m_movePoint;

    QPainter painter(this);
    painter.translate(offset);
    painter.drawImage((width() - w) / 2, (height() - h) / 2, m_scaledImage);
}

void ImageEditer::drawCompareModePixmap()
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::red, 2));
    const int half = width() / 2;
    const QImage& raw = m_cmpImages.at(0);
    if (raw.isNull()) {
        painter.drawText(QRect(0, 0, half, height()), Qt::AlignCenter, QStringLiteral("毛底照片不存在"));
    } else {
        const QImage left = fitted(raw, half, height());
        painter.drawImage(half - left.width(), (height() - left.height()) / 2, left);
    }
    const QImage& fine = m_cmpImages.at(1);
    if (fine.isNull()) {
        painter.drawText(QRect(half, 0, half, height()), Qt::AlignCenter, QStringLiteral("成品照片不存在"));
    } else {
        const QImage right = fitted(fine, half, height());
        painter.drawImage(half, (height() - right.height()) / 2, right);
    }
}

void ImageEditer::drawMultiCompareModePixmap()
{
    const int count = m_cmpImages.size();
    if (count < 1)
        return;
    int side = 1;
    while (side * side < count)
        ++side;
    const int cellWidth = width() / side;
    const int cellHeight = height() / side;
    QPainter painter(this);
    painter.setPen(QPen(Qt::red, 2));
    for (int i = 0; i < count; ++i) {
        const QRect cell((i % side) * cellWidth, (i / side) * cellHeight, cellWidth, cellHeight);
        const QImage& image = m_cmpImages.at(i);
        if (image.isNull()) {
            painter.drawText(cell, Qt::AlignCenter, QStringLiteral("正在加载..."));
            continue;
        }
        const QImage scaled = fitted(image, cellWidth, cellHeight);
        painter.drawImage(
            cell.x() + (cellWidth - scaled.width()) / 2, cell.y() + (cellHeight - scaled.height()) / 2, scaled);
    }
    painter.setPen(QPen(Qt::darkGray, 1));
    for (int i = 1; i < side; ++i) {
        painter.drawLine(0, i * cellHeight, width(), i * cellHeight);
        painter.drawLine(i * cellWidth, 0, i * cellWidth, height());
    }
}

void ImageEditer::drawClipModePixmap()
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawImage(getImageRect().topLeft(), m_scaledImage);
    painter.drawRect(m_clipRect);
    drawCentreMark(painter);
    drawCornerMarks(painter);
}

void ImageEditer::drawCircleClipModePixmap()
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawImage(getImageRect().topLeft(), m_scaledImage);
    painter.drawEllipse(m_clipRect);
    painter.drawRect(m_clipRect);
    drawCornerMarks(painter);
    drawCentreMark(painter);
}

void ImageEditer::drawCornerMarks(QPainter& painter)
{
    const QRect& frame = m_clipRect;
    painter.setPen(QPen(Qt::red, 6));
    painter.drawPoint(frame.left() + 3, frame.top() + 3);
    painter.drawPoint(frame.right() - 3, frame.top() + 3);
    painter.drawPoint(frame.left() + 3, frame.bottom() - 3);
    painter.drawPoint(frame.right() - 3, frame.bottom() - 3);
}

void ImageEditer::drawCentreMark(QPainter& painter)
{
    const int cx = (m_clipRect.left() + m_clipRect.right()) / 2;
    const int cy = (m_clipRect.top() + m_clipRect.bottom()) / 2;
    painter.setPen(QPen(Qt::red, 1));
    painter.drawRect(cx - 10, cy - 10, 20, 20);
    painter.drawLine(cx - 20, cy, cx + 20, cy);
    painter.drawLine(cx, cy - 20, cx, cy + 20);
}
