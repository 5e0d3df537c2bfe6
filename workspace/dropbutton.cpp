#include "workspace/dropbutton.h"

#include <QDragEnterEvent>
#include <QDropEvent>

DropButton::DropButton(ButtonUsage buttonUsage, QWidget* parent)
    : QPushButton(parent)
    , usage(buttonUsage)
{
    qRegisterMetaType<ButtonUsage>("ButtonUsage");
    setAcceptDrops(true);
}

void DropButton::dragEnterEvent(QDragEnterEvent* event)
{
    // Whatever is dragged: the drop only stands for "the selected photos".
    event->acceptProposedAction();
}

void DropButton::dropEvent(QDropEvent*)
{
    emit dropMessage(usage);
}
