#include "widgets/fullscreenloading.h"

#include <QEasingCurve>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMetaMethod>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

QMap<QWidget*, FullScreenLoading*> FullScreenLoading::s_instances;

namespace {
const int CardSide = 120;
const int CardHeightWithButton = 150;
} // namespace

FullScreenLoading::FullScreenLoading(QWidget* parent)
    : QWidget(parent)
{
    setupUI();
    if (parent) {
        setGeometry(parent->rect());
        connect(parent, &QObject::destroyed, this, [this, parent] {
            if (s_instances.value(parent) == this)
                s_instances.remove(parent);
            deleteLater();
        });
    }
}

FullScreenLoading::~FullScreenLoading()
{
    stopLoadingAnimation();
    QWidget* parent = parentWidget();
    // A newer overlay shown for the same parent while this one faded out keeps its entry.
    if (parent && s_instances.value(parent) == this)
        s_instances.remove(parent);
}

void FullScreenLoading::setupUI()
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 100);"));

    m_card = new QWidget(this);
    m_card->setObjectName(QStringLiteral("card"));
    m_card->setFixedSize(CardSide, CardSide);
    m_card->setStyleSheet(QStringLiteral("background-color: white;border-radius: 10px;"));
    auto* layout = new QVBoxLayout(m_card);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(10);

    m_iconLabel = new QLabel(m_card);
    m_iconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_iconLabel->setFixedSize(50, 50);
    m_iconLabel->setAlignment(Qt::AlignCenter);
    m_iconLabel->setStyleSheet(QStringLiteral("background: transparent;"));
    layout->addWidget(m_iconLabel, 0, Qt::AlignHCenter);

    m_messageLabel = new QLabel(QStringLiteral("加载中..."), m_card);
    m_messageLabel->setObjectName(QStringLiteral("messageLabel"));
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setStyleSheet(QStringLiteral("color: #333333;font-size: 14px;background: transparent;"));
    layout->addWidget(m_messageLabel);

    m_cancelButton = new QPushButton(QStringLiteral("取消"), m_card);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setFixedSize(70, 28);
    m_cancelButton->setStyleSheet(
        QStringLiteral("QPushButton {  background-color: #f0f0f0;  border: 1px solid #dcdfe6;  border-radius: 4px;"
                       "  color: #606266;  font-size: 12px;}"
                       "QPushButton:hover {  background-color: #e6e6e6;  border-color: #c0c4cc;}"
                       "QPushButton:pressed {  background-color: #d9d9d9;}"));
    m_cancelButton->hide();
    layout->addWidget(m_cancelButton, 0, Qt::AlignHCenter);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        emit cancelled();
        // Nobody handles the cancel: the overlay must not stay up for ever.
        if (!isSignalConnected(QMetaMethod::fromSignal(&FullScreenLoading::cancelled)))
            dismiss();
    });

    m_spinnerTimer = new QTimer(this);
    connect(m_spinnerTimer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 10) % 360;
        updateIcon();
    });

    m_dismissTimer = new QTimer(this);
    m_dismissTimer->setSingleShot(true);
    connect(m_dismissTimer, &QTimer::timeout, this, &FullScreenLoading::playDismissAnimation);

    m_opacityEffect = new QGraphicsOpacityEffect(this);
    m_opacityEffect->setOpacity(0.0);
    setGraphicsEffect(m_opacityEffect);
    m_opacityAnimation = new QPropertyAnimation(m_opacityEffect, "opacity", this);
    m_opacityAnimation->setDuration(200);
    m_opacityAnimation->setEasingCurve(QEasingCurve::InOutQuad);
    m_geometryAnimation = new QPropertyAnimation(m_card, "geometry", this);
    m_geometryAnimation->setDuration(300);
    m_geometryAnimation->setEasingCurve(QEasingCurve::OutBack);

    m_iconLabel->installEventFilter(this);
    centerContent();
}

FullScreenLoading* FullScreenLoading::show(QWidget* parent, const QString& message)
{
    FullScreenLoading* overlay = getInstance(parent);
    if (!overlay) {
        overlay = new FullScreenLoading(parent);
        overlay->setMessage(message);
        overlay->raise();
        overlay->QWidget::show();
        overlay->startLoadingAnimation();
        overlay->playShowAnimation();
        if (parent)
            s_instances.insert(parent, overlay);
        return overlay;
    }
    overlay->setMessage(message);
    overlay->raise();
    if (!overlay->isVisible()) {
        overlay->QWidget::show();
        overlay->playShowAnimation();
    }
    if (overlay->m_state != Loading) {
        overlay->m_state = Loading;
        overlay->startLoadingAnimation();
    }
    return overlay;
}

FullScreenLoading* FullScreenLoading::showCancellable(
    QWidget* parent, const QString& message, const QString& cancelText)
{
    FullScreenLoading* overlay = show(parent, message);
    if (overlay) {
        overlay->setCancelButtonText(cancelText);
        overlay->setCancelButtonVisible(true);
    }
    return overlay;
}

FullScreenLoading* FullScreenLoading::getInstance(QWidget* parent)
{
    if (!parent)
        return nullptr;
    return s_instances.value(parent, nullptr);
}

void FullScreenLoading::setMessage(const QString& message)
{
    m_messageLabel->setText(message);
}

void FullScreenLoading::changeState(LoadingState state, const QString& message)
{
    stopLoadingAnimation();
    m_state = state;
    setMessage(message);
    updateIcon();
    playStateChangeAnimation();
}

void FullScreenLoading::showOrFinish(LoadingState state, const QString& message, int autoCloseDelay)
{
    if (!parentWidget())
        return;
    m_dismissTimer->stop();
    changeState(state, message);
    if (autoCloseDelay > 0)
        m_dismissTimer->start(autoCloseDelay);
}

void FullScreenLoading::showSuccess(const QString& message, int autoCloseDelay)
{
    showOrFinish(Success, message, autoCloseDelay);
}

void FullScreenLoading::showFailed(const QString& message, int autoCloseDelay)
{
    showOrFinish(Failed, message, autoCloseDelay);
}

void FullScreenLoading::dismiss()
{
    stopLoadingAnimation();
    QWidget* parent = parentWidget();
    if (parent && s_instances.value(parent) == this)
        s_instances.remove(parent);
    playDismissAnimation();
}

void FullScreenLoading::setCancelButtonText(const QString& text)
{
    m_cancelButton->setText(text);
}

void FullScreenLoading::setCancelButtonVisible(bool visible)
{
    m_cancelButton->setVisible(visible);
    m_card->setFixedSize(CardSide, visible ? CardHeightWithButton : CardSide);
    centerContent();
}

void FullScreenLoading::centerContent()
{
    if (!m_card || !parentWidget())
        return;
    m_card->move((width() - m_card->width()) / 2, (height() - m_card->height()) / 2);
}

void FullScreenLoading::startLoadingAnimation()
{
    m_angle = 0;
    m_spinnerTimer->start(30);
}

void FullScreenLoading::stopLoadingAnimation()
{
    if (m_spinnerTimer && m_spinnerTimer->isActive())
        m_spinnerTimer->stop();
}

void FullScreenLoading::updateIcon()
{
    m_iconLabel->update();
}

QRect FullScreenLoading::cardRestRect() const
{
    return QRect((width() - CardSide) / 2, (height() - CardSide) / 2, CardSide, CardSide);
}

void FullScreenLoading::playShowAnimation()
{
    const QRect rest = cardRestRect();
    const QRect start(rest.x() + 30, rest.y() + 30, 60, 60);
    m_card->setGeometry(start);
    m_geometryAnimation->setStartValue(start);
    m_geometryAnimation->setEndValue(rest);
    m_opacityAnimation->setStartValue(0.0);
    m_opacityAnimation->setEndValue(1.0);
    m_geometryAnimation->start();
    m_opacityAnimation->start();
}

void FullScreenLoading::playStateChangeAnimation()
{
    const QRect rest = cardRestRect();
    m_geometryAnimation->stop();
    m_geometryAnimation->setDuration(400);
    m_geometryAnimation->setEasingCurve(QEasingCurve::OutElastic);
    m_geometryAnimation->setStartValue(rest);
    m_geometryAnimation->setKeyValueAt(0.5, QRect(rest.x() + 5, rest.y() + 5, 110, 110));
    m_geometryAnimation->setEndValue(rest);
    m_geometryAnimation->start();
    update();
    updateIcon();
}

void FullScreenLoading::playDismissAnimation()
{
    m_opacityAnimation->stop();
    m_opacityAnimation->setStartValue(m_opacityEffect->opacity());
    m_opacityAnimation->setEndValue(0.0);
    m_opacityAnimation->setDuration(200);
    connect(m_opacityAnimation, &QPropertyAnimation::finished, this, &QObject::deleteLater, Qt::UniqueConnection);
    m_opacityAnimation->start();
}

void FullScreenLoading::paintIcon()
{
    const int w = m_iconLabel->width();
    QPainter painter(m_iconLabel);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    QPen pen;
    pen.setWidth(3);
    pen.setCapStyle(Qt::RoundCap);
    switch (m_state) {
    case Loading: {
        pen.setColor(QColor(QStringLiteral("#409EFF")));
        painter.setPen(pen);
        const int r = int(w * 0.35);
        painter.translate(w / 2, w / 2);
        painter.rotate(m_angle);
        painter.drawArc(QRect(-r, -r, 2 * r, 2 * r), 0, 270 * 16);
        break;
    }
    case Success: {
        pen.setColor(QColor(QStringLiteral("#67C23A")));
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        QPainterPath tick;
        tick.moveTo(0.25 * w, 0.5 * w);
        tick.lineTo(0.45 * w, 0.7 * w);
        tick.lineTo(0.75 * w, 0.3 * w);
        painter.drawPath(tick);
        break;
    }
    case Failed: {
        pen.setColor(QColor(QStringLiteral("#F56C6C")));
        painter.setPen(pen);
        const int a = int(0.3 * w);
        const int b = int(0.7 * w);
        painter.drawLine(a, a, b, b);
        painter.drawLine(b, a, a, b);
        break;
    }
    }
}

bool FullScreenLoading::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_iconLabel && event->type() == QEvent::Paint) {
        paintIcon();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FullScreenLoading::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
}

void FullScreenLoading::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    centerContent();
}
