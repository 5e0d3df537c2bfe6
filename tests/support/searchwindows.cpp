#include "tests/support/searchwindows.h"

#include "order/searchorder.h"

#include <QApplication>

QList<SearchOrder*> SearchWindows::open()
{
    QList<SearchOrder*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* search = qobject_cast<SearchOrder*>(w))
            found << search;
    return found;
}

void SearchWindows::closeAll()
{
    for (SearchOrder* search : open())
        search->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
