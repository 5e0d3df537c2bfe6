#ifndef WIDGETMOUSE_H
#define WIDGETMOUSE_H

#include <QPoint>

class QWidget;

// Mouse events sent straight to a widget, with the left button held between press and
// release (moves without a press carry no button), independent of the platform's cursor.
namespace WidgetMouse {
void press(QWidget* widget, QPoint at);
void move(QWidget* widget, QPoint to, bool pressed);
void release(QWidget* widget, QPoint at);
// Press, one move, the paint that follows it, release.
void drag(QWidget* widget, QPoint from, QPoint to);
} // namespace WidgetMouse

#endif // WIDGETMOUSE_H
