#ifndef OPENALBUMPANEL_H
#define OPENALBUMPANEL_H

#include "tests/support/albumpanelsession.h"

#include <QStringList>

class QListWidget;
class QTableView;

// An album panel opened against the stand-in (its load road run to the end) on an order
// folder of its own, with its boxes recorded and the viewer's part played by a callback:
// the set-aside popup "plays" and the move follows.
class OpenAlbumPanel
{
public:
    // A fresh order folder and prompt recorder; end() closes the panel and drops both.
    void begin();
    void end() { m_session.end(); }
    TestBackend& backend() { return m_session.backend; }
    OrderFolder& order() { return *m_session.order; }
    PromptRecorder& prompts() { return *m_session.prompts; }

    // Makes the panel, waits for 成品, then shows album; false when a load did not end.
    bool open(int album);
    // Lets the thumbnail jobs end and deletes the panel.
    void close() { m_session.close(); }
    // Shows an album through its button slot and waits for the load to end.
    bool show(int album);
    // Selects photos in the visible view; the first one named becomes the current one.
    void select(const QStringList& names);

    PhotoOperation& panel() { return *m_session.panel; }
    QTableView* table();
    QListWidget* icons();
    QStringList iconNames();
    // How often the set-aside popup was asked for.
    int popups() const { return m_popups; }

private:
    AlbumPanelSession m_session;
    int m_popups = 0;
};

#endif // OPENALBUMPANEL_H
