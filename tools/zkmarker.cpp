#include "tools/zkmarker.h"

#include "tools/zkshapelb.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace {

// Distance of the number from the frame's top-left corner.
const int NumberInset = 10;

} // namespace

ZKMarker::ZKMarker(int number, ZKMarker::ShapeEnum shape, QColor color, QWidget* parent)
    : QFrame(parent)
    , markNum(number)
    , shapeEn(shape)
    , markColor(color)
{
    // The shape first, so that the number lies on top of it.
    shapeLabel = new ZKShapeLb(shape, color, this);
    numberLabel = new QLabel(QString::number(number), this);
    numberLabel->setFont(numberFont(numberLabel->font()));
    QPalette palette = numberLabel->palette();
    palette.setColor(QPalette::WindowText, color);
    numberLabel->setPalette(palette);
    numberLabel->adjustSize();
    // The pointer works on the frame alone: hovering the shape must find the frame's edges.
    shapeLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    numberLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("ZKMarker {border: 0px;}"));
}

QFont ZKMarker::numberFont(QFont base)
{
    base.setPointSize(60);
    return base;
}

void ZKMarker::paint(
    QPainter& painter, const QRect& frame, ShapeEnum shape, const QColor& color, int number, const QFont& font)
{
    painter.save();
    painter.translate(frame.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), frame.size()), Qt::IntersectClip);
    ZKShapeLb::paintShape(painter, shape, color, frame.size());
    // Where the number label sits, sized to its text: its text starts at the label's top left.
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(
        QRect(QPoint(NumberInset, NumberInset), frame.size()), Qt::AlignLeft | Qt::AlignTop, QString::number(number));
    painter.restore();
}

void ZKMarker::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    shapeLabel->setGeometry(rect());
    numberLabel->move(NumberInset, NumberInset);
}

void ZKMarker::setIsSelect(bool on)
{
    isSelect = on;
    if (on) {
        setStyleSheet(QStringLiteral("ZKMarker {border: 1px dotted grey;}"));
        edges = 0;
        setMouseTracking(true);
    } else {
        setStyleSheet(QStringLiteral("ZKMarker {border: 0px;}"));
        setMouseTracking(false);
        setCursor(Qt::ArrowCursor);
    }
}

void ZKMarker::testEdge(const QPoint& globalPos)
{
    const QPoint p = mapFromGlobal(globalPos);
    const bool nearLeft = std::abs(p.x()) < edgeMargin;
    const bool nearRight = !nearLeft && std::abs(p.x() - (width() - 1)) < edgeMargin;
    const bool nearTop = std::abs(p.y()) < edgeMargin;
    const bool nearBottom = !nearTop && std::abs(p.y() - (height() - 1)) < edgeMargin;
    edges = (nearTop ? 1 : 0) | (nearBottom ? 2 : 0) | (nearLeft ? 4 : 0) | (nearRight ? 8 : 0);

    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (edges) {
    case 5:
    case 10:
        shape = Qt::SizeFDiagCursor;
        break;
    case 9:
    case 6:
        shape = Qt::SizeBDiagCursor;
        break;
    case 1:
    case 2:
        shape = Qt::SizeVerCursor;
        break;
    case 4:
    case 8:
        shape = Qt::SizeHorCursor;
        break;
    default:
        break;
    }
    setCursor(shape);
}

void ZKMarker::mousePressEvent(QMouseEvent* event)
{
    event->ignore();
    if (event->button() != Qt::LeftButton)
        return;
    dragOffset = event->globalPos() - frameGeometry().topLeft();
    if (!isSelect)
        emit selectedSgl();
}

void ZKMarker::mouseMoveEvent(QMouseEvent* event)
{
    event->ignore();
    if (!(event->buttons() & Qt::LeftButton)) {
        // Only the selected marker tracks the pointer; a move with another button held
        // must not give an unselected one resize cursors.
        if (hasMouseTracking())
            testEdge(event->globalPos());
        return;
    }
    if (edges == 0) {
        QPoint to = event->globalPos() - dragOffset;
        if (!m_bounds.isEmpty()) {
            // A frame larger than the bounds keeps its top-left inside them.
            to.setX(qMax(m_bounds.left(), qMin(to.x(), m_bounds.right() - width() + 1)));
            to.setY(qMax(m_bounds.top(), qMin(to.y(), m_bounds.bottom() - height() + 1)));
        }
        move(to);
        return;
    }
    const QPoint p = event->pos();
    const QRect frame = geometry();
    int left = frame.left();
    int top = frame.top();
    int right = frame.right();
    int bottom = frame.bottom();
    if (edges & 1)
        top = frame.top() + p.y();
    else if (edges & 2)
        bottom = frame.top() + p.y();
    if (edges & 4)
        left = frame.left() + p.x();
    else if (edges & 8)
        right = frame.left() + p.x();
    if (!m_bounds.isEmpty()) {
        left = qMax(left, m_bounds.left());
        top = qMax(top, m_bounds.top());
        right = qMin(right, m_bounds.right());
        bottom = qMin(bottom, m_bounds.bottom());
    }
    // An edge dragged past the opposite one stops there (the frame keeps a pixel); so does one of a frame that lay
    // off the bounds and was pulled in.
    if (left > right) {
        if (edges & 4)
            left = right;
        else
            right = left;
    }
    if (top > bottom) {
        if (edges & 1)
            top = bottom;
        else
            bottom = top;
    }
    setGeometry(QRect(QPoint(left, top), QPoint(right, bottom)));
}

void ZKMarker::mouseReleaseEvent(QMouseEvent* event)
{
    event->ignore();
    if (edges != 0)
        testEdge(event->globalPos());
}
