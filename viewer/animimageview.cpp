#include "viewer/animimageview.h"

#include "viewer/picturezoom.h"
#include "viewer/slidetransition.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimeLine>

namespace {

const int BrowseMode = 0;
const int AnimMode = 5;

} // namespace

AnimImageView::AnimImageView(QWidget* parent)
    : QLabel(parent)
    , m_mode(BrowseMode)
    , m_isPressed(false)
    , m_offsetX(0)
    , m_offsetY(0)
    , m_scaleLevel(0)
    , m_timeLine(nullptr)
    , m_animPos(0)
    , m_effect(0)
    , m_isAnimating(false)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setMouseTracking(true);
    setAcceptDrops(true);
    iniTimer();
}

AnimImageView::~AnimImageView()
{
    delete m_timeLine;
}

void AnimImageView::iniTimer()
{
    m_timeLine = SlideTransition::makeTimeLine(this);
    connect(m_timeLine, &QTimeLine::frameChanged, this, &AnimImageView::slot_timeOut);
}

void AnimImageView::showImage(QImage image, QString name, int effect)
{
    m_image = image;
    // A larger picture of the photo in transition only replaces the transition's image.
    if (m_isAnimating && effect != 0 && name == m_imageName)
        m_scaledImage = SlideTransition::fittedToScreen(image);
    else
        startBrowser();
    m_imageName = name;
}

void AnimImageView::startBrowser()
{
    m_mode = BrowseMode;
    m_offsetX = m_offsetY = 0;
    m_scaleLevel = 0;
    scaleImage(0);
    update();
}

void AnimImageView::offerFitted(const QImage& image, const QImage& fitted, QSize box)
{
    if (image.isNull() || fitted.isNull())
        return;
    m_fittedImage = fitted;
    m_fittedFor = box;
    m_fittedSource = image.cacheKey();
}

void AnimImageView::startAnim(int effect)
{
    m_mode = AnimMode;
    m_effect = effect;
    m_isAnimating = true;
    m_scaledImage = SlideTransition::fittedToScreen(m_image);
    SlideTransition::restart(m_timeLine, m_scaledImage.height());
}

void AnimImageView::slot_timeOut(int val0)
{
    const int ih = m_scaledImage.height();
    m_animPos = SlideTransition::position(val0, ih);
    if (val0 == SlideTransition::lastFrame(ih)) {
        startBrowser();
        m_isAnimating = false;
        return;
    }
    update();
}

QImage AnimImageView::scaleImage(int level)
{
    if (level == 0 && !m_image.isNull()) {
        if (m_fittedFor != size() || m_fittedSource != m_image.cacheKey()) {
            m_fittedImage = m_image.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            m_fittedFor = size();
            m_fittedSource = m_image.cacheKey();
        }
        m_scaledImage = m_fittedImage;
        return m_scaledImage;
    }
    m_scaledImage = m_image.isNull()
        ? QImage()
        : m_image.scaled(PictureZoom::box(size(), level), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return m_scaledImage;
}

void AnimImageView::scaleLarge()
{
    if (m_mode != BrowseMode)
        return;
    m_scaleLevel = PictureZoom::stepped(m_scaleLevel, true);
    scaleImage(m_scaleLevel);
    update();
}

void AnimImageView::scaleSmall()
{
    if (m_mode != BrowseMode)
        return;
    m_scaleLevel = PictureZoom::stepped(m_scaleLevel, false);
    scaleImage(m_scaleLevel);
    update();
}

void AnimImageView::mousePressEvent(QMouseEvent* event)
{
    m_isPressed = true;
    setCursor(Qt::ClosedHandCursor);
    m_pressPoint = m_movePoint = event->pos();
}

void AnimImageView::mouseReleaseEvent(QMouseEvent*)
{
    setCursor(Qt::OpenHandCursor);
    m_isPressed = false;
}

void AnimImageView::mouseMoveEvent(QMouseEvent* event)
{
    emit sendMouseMove(event->x(), event->y());
    if (m_isPressed) {
        m_movePoint = event->pos();
        update();
    } else {
        setCursor(Qt::OpenHandCursor);
    }
}

void AnimImageView::paintEvent(QPaintEvent*)
{
    drawBlackBackgroud();
    if (m_image.isNull())
        return;
    if (m_mode == AnimMode)
        drawAnimPixmap();
    else
        drawBrosweModePixmap();
}

void AnimImageView::drawBlackBackgroud()
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void AnimImageView::drawBrosweModePixmap()
{
    if (m_scaleLevel == 0)
        scaleImage(0);
    const QPoint drag = m_movePoint - m_pressPoint + QPoint(m_offsetX, m_offsetY);
    const QPoint offset = PictureZoom::clampedDrag(m_scaledImage.size(), size(), drag);
    m_offsetX = offset.x();
    m_offsetY = offset.y();
    m_pressPoint = m_movePoint;

    QPainter painter(this);
    painter.translate(offset);
    painter.drawImage((width() - m_scaledImage.width()) / 2, (height() - m_scaledImage.height()) / 2, m_scaledImage);
}

void AnimImageView::drawAnimPixmap()
{
    QPainter painter(this);
    SlideTransition::paint(painter, SlideTransition::fullScreenShape(m_effect), m_scaledImage, size(), m_animPos);
}
