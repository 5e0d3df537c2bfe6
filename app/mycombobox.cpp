#include "app/mycombobox.h"

#include <QWheelEvent>

myComboBox::myComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

void myComboBox::wheelEvent(QWheelEvent* event)
{
    // Left accepted, so it does not travel on to the scroll area either.
    event->accept();
}
