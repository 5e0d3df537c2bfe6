#include "tools/zkmarkedit.h"
#include "tools/zkmarker.h"
#include "tools/zkshapelb.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

namespace {

// Mouse events with the buttons held given explicitly (QTest's moves carry none).
void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void hover(QWidget* widget, const QPoint& pos)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

} // namespace

class TestMarkWidgets : public QObject
{
    Q_OBJECT
private:
    QWidget* parent = nullptr;

private slots:
    void init()
    {
        parent = new QWidget;
        parent->resize(400, 300);
        parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(parent));
    }

    void cleanup() { delete parent; }

    void edgesUnderThePointerSetCursorAndBits_data()
    {
        QTest::addColumn<QPoint>("pos"); // in a 100 x 60 marker
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("cursor");
        QTest::newRow("top left") << QPoint(5, 5) << 5 << int(Qt::SizeFDiagCursor);
        QTest::newRow("top right") << QPoint(94, 3) << 9 << int(Qt::SizeBDiagCursor);
        QTest::newRow("top") << QPoint(50, 0) << 1 << int(Qt::SizeVerCursor);
        QTest::newRow("bottom left") << QPoint(2, 57) << 6 << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom right") << QPoint(99, 59) << 10 << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom") << QPoint(50, 55) << 2 << int(Qt::SizeVerCursor);
        QTest::newRow("left") << QPoint(7, 30) << 4 << int(Qt::SizeHorCursor);
        QTest::newRow("right") << QPoint(92, 30) << 8 << int(Qt::SizeHorCursor);
        QTest::newRow("8 pixels in is inside") << QPoint(8, 8) << 0 << int(Qt::ArrowCursor);
        QTest::newRow("middle") << QPoint(50, 30) << 0 << int(Qt::ArrowCursor);
    }

    void edgesUnderThePointerSetCursorAndBits()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, bits);
        QFETCH(int, cursor);
        ZKMarker marker(1, ZKMarker::Rectangle, QColor("red"), parent);
        marker.setGeometry(50, 40, 100, 60);
        marker.show();
        marker.setIsSelect(true);
        QVERIFY(marker.hasMouseTracking());
        hover(&marker, pos);
        QCOMPARE(marker.edgeBits(), bits);
        QCOMPARE(int(marker.cursor().shape()), cursor);
    }

    void selectedMarkerResizesFromTheGrabbedCornerOnly()
    {
        ZKMarker marker(1, ZKMarker::Rectangle, QColor("red"), parent);
        marker.setGeometry(50, 40, 100, 60);
        marker.show();
        marker.setIsSelect(true);
        QSignalSpy selected(&marker, &ZKMarker::selectedSgl);
        hover(&marker, QPoint(5, 5));
        sendMouse(&marker, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(selected.count(), 0); // already selected
        sendMouse(&marker, QEvent::MouseMove, QPoint(-10, -20), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(marker.geometry(), QRect(QPoint(40, 20), QPoint(149, 99)));
        sendMouse(&marker, QEvent::MouseButtonRelease, QPoint(0, 0), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(marker.edgeBits(), 5);
    }

    void unselectedMarkerIsMovedAndAsksToBeSelected()
    {
        ZKMarker marker(2, ZKMarker::Ellipse, QColor("blue"), parent);
        marker.setGeometry(50, 40, 100, 60);
        marker.show();
        QSignalSpy selected(&marker, &ZKMarker::selectedSgl);
        QVERIFY(!marker.hasMouseTracking());

        // Hovering an unselected marker's edge leaves the cursor alone.
        hover(&marker, QPoint(2, 2));
        QCOMPARE(marker.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(marker.edgeBits(), 0);

        // Pressed at a corner, it is still dragged whole.
        sendMouse(&marker, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(selected.count(), 1);
        sendMouse(&marker, QEvent::MouseMove, QPoint(32, 22), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(marker.geometry(), QRect(80, 60, 100, 60));

        // Selected, then deselected: the arrow comes back.
        marker.setIsSelect(true);
        QVERIFY(marker.styleSheet().contains(QStringLiteral("dotted")));
        hover(&marker, QPoint(50, 1));
        QCOMPARE(marker.cursor().shape(), Qt::SizeVerCursor);
        marker.setIsSelect(false);
        QCOMPARE(marker.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!marker.hasMouseTracking());
        QVERIFY(!marker.getIsSelect());
        QCOMPARE(QString(marker.metaObject()->className()), QStringLiteral("ZKMarker"));
    }

    // The marker's shape runs along its frame, so the frame's corners are the shape's; the pointer over the shape
    // still finds the frame's edges.
    void shapeRunsAlongTheFrame_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("inked");
        QTest::newRow("rectangle, left side") << 1 << QPoint(1, 30);
        QTest::newRow("rectangle, top-left corner") << 1 << QPoint(1, 1);
        QTest::newRow("ellipse, left side") << 0 << QPoint(1, 47);
        QTest::newRow("ellipse, top") << 0 << QPoint(70, 1);
    }

    void shapeRunsAlongTheFrame()
    {
        QFETCH(int, shape);
        QFETCH(QPoint, inked);
        ZKMarker marker(4, ZKMarker::ShapeEnum(shape), QColor("#0000ff"), parent);
        marker.setGeometry(50, 40, 140, 95);
        marker.show();
        QCOMPARE(marker.grab().toImage().pixelColor(inked), QColor("#0000ff"));
        QWidget* drawn = marker.findChild<ZKShapeLb*>();
        QCOMPARE(QRect(drawn->mapTo(&marker, QPoint(0, 0)), drawn->size()), marker.rect());

        marker.setIsSelect(true);
        const QPoint onLeftEdge(53, 87);
        QCOMPARE(parent->childAt(onLeftEdge), &marker);
        hover(&marker, marker.mapFrom(parent, onLeftEdge));
        QCOMPARE(marker.edgeBits(), 4);
    }

    // Given bounds, dragging moves and resizes the marker only within them; an edge stops at the opposite one.
    void boundsHoldTheMarker_data()
    {
        QTest::addColumn<QPoint>("grab"); // in the 100 x 60 marker at (50, 40)
        QTest::addColumn<QPoint>("to");   // the pointer's end, in the marker's coordinates at the press
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("moved past the right") << QPoint(50, 30) << QPoint(400, 30) << QRect(220, 40, 100, 60);
        QTest::newRow("moved past the top-left") << QPoint(50, 30) << QPoint(-200, -200) << QRect(20, 10, 100, 60);
        QTest::newRow("corner past the bottom-right")
            << QPoint(99, 59) << QPoint(500, 500) << QRect(QPoint(50, 40), QPoint(319, 209));
        QTest::newRow("corner past the top-left")
            << QPoint(0, 0) << QPoint(-100, -100) << QRect(QPoint(20, 10), QPoint(149, 99));
        QTest::newRow("corner past the opposite one")
            << QPoint(0, 0) << QPoint(150, 90) << QRect(QPoint(149, 99), QPoint(149, 99));
    }

    void boundsHoldTheMarker()
    {
        QFETCH(QPoint, grab);
        QFETCH(QPoint, to);
        QFETCH(QRect, geometry);
        ZKMarker marker(1, ZKMarker::Rectangle, QColor("red"), parent);
        marker.setGeometry(50, 40, 100, 60);
        marker.setBounds(QRect(20, 10, 300, 200));
        marker.show();
        marker.setIsSelect(true);
        hover(&marker, grab);
        sendMouse(&marker, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&marker, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(marker.geometry(), geometry);
    }

    void shapeLabelDrawsAlongItsSides_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("inked");
        QTest::addColumn<QPoint>("blank");
        QTest::newRow("ellipse touches the top") << 0 << QPoint(50, 1) << QPoint(2, 2);
        QTest::newRow("ellipse touches the left") << 0 << QPoint(1, 30) << QPoint(97, 57);
        QTest::newRow("rectangle corner") << 1 << QPoint(1, 1) << QPoint(50, 30);
        QTest::newRow("rectangle left") << 1 << QPoint(1, 45) << QPoint(20, 20);
    }

    void shapeLabelDrawsAlongItsSides()
    {
        QFETCH(int, shape);
        QFETCH(QPoint, inked);
        QFETCH(QPoint, blank);
        ZKShapeLb label(ZKMarker::ShapeEnum(shape), QColor("#0000ff"), parent);
        label.setGeometry(0, 0, 100, 60);
        label.show();
        const QImage picture = label.grab().toImage();
        QCOMPARE(picture.pixelColor(inked), QColor("#0000ff"));
        QVERIFY(picture.pixelColor(blank) != QColor("#0000ff"));
    }

    void markEditKeepsPlainTextAndReportsEachChange()
    {
        ZKMarker marker(3, ZKMarker::Rectangle, QColor("red"), parent);
        ZKMarkEdit edit(3, &marker, parent);
        edit.show();
        QCOMPARE(edit.getNum(), 3);
        QCOMPARE(edit.marker, &marker);
        QSignalSpy changed(&edit, &ZKMarkEdit::editTextChanged);
        QSignalSpy deleted(&edit, &ZKMarkEdit::delEditSgl);

        QTextEdit* text = edit.findChild<QTextEdit*>();
        QTest::keyClick(text, Qt::Key_A);
        QCOMPARE(changed.count(), 1);
        edit.setEditText(QStringLiteral("<b>眼睛</b> & 提亮"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(edit.getEditText(), QStringLiteral("<b>眼睛</b> & 提亮"));

        edit.setEditText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
        QCOMPARE(text->height(), 60);
        QCOMPARE(edit.getEditText(), QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));

        edit.findChild<QPushButton*>()->click();
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.first().first().value<ZKMarkEdit*>(), &edit);
    }
};

QTEST_MAIN(TestMarkWidgets)
#include "tst_markwidgets.moc"
