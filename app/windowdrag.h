#ifndef WINDOWDRAG_H
#define WINDOWDRAG_H

#include <QPoint>

class QMouseEvent;
class QWidget;

// Dragging of a frameless window by the left mouse button. The events are ignored
// after handling, so that they also reach the parent chain.
struct WindowDrag
{
    bool dragging = false;
    QPoint position; // the last global mouse position seen while dragging

    // False when the press is not one of the left button (nothing done then).
    bool press(QMouseEvent* event);
    void move(QWidget* window, QMouseEvent* event);
    void release(QMouseEvent* event);
};

#endif // WINDOWDRAG_H
