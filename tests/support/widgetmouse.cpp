#include "tests/support/widgetmouse.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

namespace WidgetMouse {

void press(QWidget* widget, QPoint at)
{
    send(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void move(QWidget* widget, QPoint to, bool pressed)
{
    send(widget, QEvent::MouseMove, to, Qt::NoButton, pressed ? Qt::LeftButton : Qt::NoButton);
}

void release(QWidget* widget, QPoint at)
{
    send(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void drag(QWidget* widget, QPoint from, QPoint to)
{
    press(widget, from);
    move(widget, to, true);
    widget->grab();
    release(widget, to);
}

} // namespace WidgetMouse
