#ifndef ZKMARKER_H
#define ZKMARKER_H

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPoint>
#include <QRect>

class QLabel;
class QPainter;
class ZKShapeLb;

// One numbered mark on the mark editor's picture: a frame whose shape, in the mark's colour,
// runs along the frame itself (so the shape's corners are the frame's, where the pointer put
// them), with the number inside its top-left corner. Any marker can be dragged; only the
// selected one shows the resize cursors at its edges and resizes from them. Given bounds, the
// pointer never takes it out of them. Mouse events are also passed on to the parent (each
// handler leaves them ignored). The editor owns and deletes it.
class ZKMarker : public QFrame
{
    Q_OBJECT
public:
    enum ShapeEnum { Ellipse = 0, Rectangle = 1 };

    ZKMarker(int number, ZKMarker::ShapeEnum shape, QColor color, QWidget* parent = nullptr);

    // The number's font, made from the font its label starts with.
    static QFont numberFont(QFont base);
    // Draws what a marker with frame shows, its shape and then its number, clipped to the frame as
    // the widgets are: for pictures made without them. Any thread (a QImage painter); the number
    // is as large as on a screen of the painted device's resolution.
    static void paint(
        QPainter& painter, const QRect& frame, ShapeEnum shape, const QColor& color, int number, const QFont& font);

    int getMarkNum() const { return markNum; }
    ZKMarker::ShapeEnum getShapeEn() const { return shapeEn; }
    QColor getMarkColor() const { return markColor; }
    bool getIsSelect() const { return isSelect; }
    void setIsSelect(bool on);
    // Which edges the pointer is on: 1 top, 2 bottom, 4 left, 8 right.
    int edgeBits() const { return edges; }
    // The area, in the parent's coordinates, that moving and resizing keep the frame within;
    // an empty one sets no bounds.
    void setBounds(const QRect& area) { m_bounds = area; }
    QRect bounds() const { return m_bounds; }

signals:
    void selectedSgl();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void testEdge(const QPoint& globalPos);

    int markNum;
    ShapeEnum shapeEn;
    QColor markColor;
    int edgeMargin = 8;
    int edges = 0;
    QPoint dragOffset;
    bool isSelect = false;
    QRect m_bounds;
    QLabel* numberLabel;
    ZKShapeLb* shapeLabel;
};

#endif // ZKMARKER_H
