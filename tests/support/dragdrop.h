#ifndef DRAGDROP_H
#define DRAGDROP_H

#include <QPoint>

class QWidget;

// A drag that ends on the widget at the point: enter (which makes the widget the drop
// target), move, drop, carrying no data. True when the drop was accepted.
bool dropAt(QWidget* widget, QPoint at);

#endif // DRAGDROP_H
