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

void ZKShapeLb::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.setPen(QPen(shapeColor, 3));
        const int rx = int(width() * 0.5);
        const int ry = int(height() * 0.5);
        if (shapeEn == ZKMarker::Ellipse)
            painter.drawEllipse(QPoint(rx, ry), rx, ry);
        else if (shapeEn == ZKMarker::Rectangle)
            painter.drawRect(0, 0, width(), height());
    }
    QLabel::paintEvent(event);
}
