#ifndef ALBUMPANELFIXTURE_H
#define ALBUMPANELFIXTURE_H

#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include <memory>

class PhotoOperation;
class ProgressWindow;
class QListWidget;
class QPushButton;
class QAbstractItemModel;
class QTableView;

// What a test of the album panel works in: the stand-in back end, recorded boxes, the demo
// order's folder where the stand-in's order path leads, and the panel, whose construction
// starts loading the order's photos. The viewer's part is played here: the set-aside popup
// "plays" at once and the move follows. The readers show the views as the operator sees them.
class AlbumPanelFixture
{
public:
    AlbumPanelFixture();
    ~AlbumPanelFixture();

    // Before each test: fresh boxes, an empty order folder, no requests.
    bool begin();
    // After each test: the panel and its jobs gone, the photo store and product globals empty.
    void end();
    // Lets the thumbnail jobs end and deletes the panel.
    void close();

    // Makes the panel and waits until its load road has shown an album `shows` times or
    // raised a box; with settle, also until every thumbnail has answered.
    PhotoOperation& open(int shows = 2, bool settle = true);
    // Makes the panel, waits for 成品, then shows album; false when a load did not end.
    bool openAlbum(int album);
    // Shows an album through its button slot and waits for the load to end.
    bool show(int album);
    // Selects photos in the visible view; the first one named becomes the current one.
    void select(const QStringList& names);
    // How often the set-aside popup was asked for since open().
    int popups() const { return m_popups; }

    QTableView* tableView();
    QAbstractItemModel* tableModel();
    QListWidget* icons();
    QStringList iconNames();
    // The texts of one table column, top to bottom.
    QStringList column(int column);
    QString albumLabel();
    // The panel's button with this text, or null.
    QPushButton* button(const QString& text);
    // The panel's progress popup (the only one while one panel lives).
    static ProgressWindow* progress();
    // Lets every thumbnail job finish and delivers its reply.
    static void settle();

    TestBackend backend;
    std::unique_ptr<PromptRecorder> prompts;
    std::unique_ptr<OrderFolder> order;
    std::unique_ptr<PhotoOperation> panel;
    // sendPhotoModel of the panel since open().
    std::unique_ptr<QSignalSpy> shown;

private:
    int m_popups = 0;
};

#endif // ALBUMPANELFIXTURE_H
