#include "app/windowdrag.h"

#include <QMouseEvent>
#include <QWidget>

bool WindowDrag::press(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    dragging = true;
    position = event->globalPos();
    event->ignore();
    return true;
}

void WindowDrag::move(QWidget* window, QMouseEvent* event)
{
    if (dragging) {
        window->move(window->pos() + event->globalPos() - position);
        position = event->globalPos();
    }
    event->ignore();
}

void WindowDrag::release(QMouseEvent* event)
{
    dragging = false;
    event->ignore();
}
