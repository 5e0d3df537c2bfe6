#ifndef ZKMARKER_H
#define ZKMARKER_H

#include <QColor>
#include <QFrame>
#include <QPoint>

class QLabel;
class ZKShapeLb;

// One numbered mark on the mark editor's picture: a frame holding the number and the
// shape, in the mark's colour. Any marker can be dragged; only the selected one shows the
// resize cursors at its edges and resizes from them. Mouse events are also passed on to
// the parent (each handler leaves them ignored). The editor owns and deletes it.
class ZKMarker : public QFrame
{
    Q_OBJECT
public:
    enum ShapeEnum { Ellipse = 0, Rectangle = 1 };

    ZKMarker(int number, ZKMarker::ShapeEnum shape, QColor color, QWidget* parent = nullptr);

    int getMarkNum() const { return markNum; }
    ZKMarker::ShapeEnum getShapeEn() const { return shapeEn; }
    QColor getMarkColor() const { return markColor; }
    bool getIsSelect() const { return isSelect; }
    void setIsSelect(bool on);
    // Which edges the pointer is on: 1 top, 2 bottom, 4 left, 8 right.
    int edgeBits() const { return edges; }

signals:
    void selectedSgl();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void testEdge(const QPoint& globalPos);

    int markNum;
    ShapeEnum shapeEn;
    QColor markColor;
    int edgeMargin = 8;
    int edges = 0;
    QPoint dragOffset;
    bool isSelect = false;
    QLabel* numberLabel;
    ZKShapeLb* shapeLabel;
};

#endif // ZKMARKER_H
