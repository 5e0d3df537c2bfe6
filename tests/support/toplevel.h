#ifndef TOPLEVEL_H
#define TOPLEVEL_H

#include <QApplication>
#include <QList>
#include <QWidget>

// The application's top-level windows of class T (windows that a test did not make
// itself: a search window re-created on close, a popup, a dialog).
template <typename T> QList<T*> topLevelWindows()
{
    QList<T*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            found << t;
    return found;
}

// Closes them (windows deleted on close go at once).
template <typename T> void closeTopLevelWindows()
{
    for (T* window : topLevelWindows<T>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

#endif // TOPLEVEL_H
