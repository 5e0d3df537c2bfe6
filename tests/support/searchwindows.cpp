#include "tests/support/searchwindows.h"

#include "order/searchorder.h"
#include "tests/support/toplevel.h"

#include <QApplication>

QList<SearchOrder*> SearchWindows::open()
{
    return topLevelWindows<SearchOrder>();
}

void SearchWindows::closeAll()
{
    for (SearchOrder* search : open())
        search->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
