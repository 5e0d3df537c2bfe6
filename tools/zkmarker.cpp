#include "tools/zkmarker.h"

#include "tools/zkshapelb.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

#include <cstdlib>

ZKMarker::ZKMarker(int number, ZKMarker::ShapeEnum shape, QColor color, QWidget* parent)
    : QFrame(parent)
    , markNum(number)
    , shapeEn(shape)
    , markColor(color)
{
    numberLabel = new QLabel(QString::number(number), this);
    numberLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QFont font = numberLabel->font();
    font.setPointSize(60);
    numberLabel->setFont(font);
    QPalette palette = numberLabel->palette();
    palette.setColor(QPalette::WindowText, color);
    numberLabel->setPalette(palette);

    shapeLabel = new ZKShapeLb(shape, color, this);
    shapeLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);
    layout->addWidget(numberLabel);
    layout->addWidget(shapeLabel);
    setStyleSheet(QStringLiteral("ZKMarker {border: 0px;}"));
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
        move(event->globalPos() - dragOffset);
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
    setGeometry(QRect(QPoint(left, top), QPoint(right, bottom)));
}

void ZKMarker::mouseReleaseEvent(QMouseEvent* event)
{
    event->ignore();
    if (edges != 0)
        testEdge(event->globalPos());
}
