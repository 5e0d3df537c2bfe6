#ifndef ZKSHAPELB_H
#define ZKSHAPELB_H

#include "tools/zkmarker.h"

#include <QColor>
#include <QLabel>
#include <QSize>

class QPainter;

// The label inside a marker that draws its shape, an ellipse touching the label's sides or
// a rectangle along them, with a pen 3 pixels wide in the mark's colour.
class ZKShapeLb : public QLabel
{
    Q_OBJECT
public:
    ZKShapeLb(ZKMarker::ShapeEnum shape, QColor color, QWidget* parent = nullptr);

    // Draws the shape for a label of size at the painter's origin; any thread (a QImage painter).
    static void paintShape(QPainter& painter, ZKMarker::ShapeEnum shape, const QColor& color, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor shapeColor;
    ZKMarker::ShapeEnum shapeEn;
};

#endif // ZKSHAPELB_H
