#ifndef TOPLEVEL_H
#define TOPLEVEL_H

#include <QApplication>
#include <QList>
#include <QTimer>
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

// Closes whatever popup (a context menu) opens next, so that the menu's own loop returns.
inline void closeNextMenu()
{
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
}

#endif // TOPLEVEL_H
