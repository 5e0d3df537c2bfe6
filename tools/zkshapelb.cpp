#include "tools/zkshapelb.h"

#include <QPainter>
#include <QPen>

ZKShapeLb::ZKShapeLb(ZKMarker::ShapeEnum shape, QColor color, QWidget* parent)
    : QLabel(parent)
    , shapeColor(color)
    , shapeEn(shape)
{
    setWordWrap(true);
}

void ZKShapeLb::paintShape(QPainter& painter, ZKMarker::ShapeEnum shape, const QColor& color, const QSize& size)
{
    painter.setPen(QPen(color, 3));
    const int rx = int(size.width() * 0.5);
    const int ry = int(size.height() * 0.5);
    if (shape == ZKMarker::Ellipse)
        painter.drawEllipse(QPoint(rx, ry), rx, ry);
    else if (shape == ZKMarker::Rectangle)
        painter.drawRect(0, 0, size.width(), size.height());
}

void ZKShapeLb::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        paintShape(painter, shapeEn, shapeColor, size());
    }
    QLabel::paintEvent(event);
}
