#include "widgets/droplistwidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>

DropListWidget::DropListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setAcceptDrops(true);
}

void DropListWidget::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void DropListWidget::dropEvent(QDropEvent*)
{
    emit dropMessage();
}
