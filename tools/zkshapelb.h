#ifndef ZKSHAPELB_H
#define ZKSHAPELB_H

#include "tools/zkmarker.h"

#include <QColor>
#include <QLabel>

// The label inside a marker that draws its shape, an ellipse touching the label's sides or
// a rectangle along them, with a pen 3 pixels wide in the mark's colour.
class ZKShapeLb : public QLabel
{
    Q_OBJECT
public:
    ZKShapeLb(ZKMarker::ShapeEnum shape, QColor color, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor shapeColor;
    ZKMarker::ShapeEnum shapeEn;
};

#endif // ZKSHAPELB_H
