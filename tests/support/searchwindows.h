#ifndef SEARCHWINDOWS_H
#define SEARCHWINDOWS_H

#include <QList>

class SearchOrder;

// The order search windows that a sign-in opened: top level, deleted on close.
namespace SearchWindows {
QList<SearchOrder*> open();
// Closes them and lets their deferred deletion run.
void closeAll();
} // namespace SearchWindows

#endif // SEARCHWINDOWS_H
