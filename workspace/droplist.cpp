#include "workspace/droplist.h"

#include <QDragEnterEvent>
#include <QDropEvent>

DropList::DropList(QWidget* parent)
    : QListWidget(parent)
{
    setAcceptDrops(true);
}

void DropList::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void DropList::dropEvent(QDropEvent*)
{
    emit dropMessage();
}
