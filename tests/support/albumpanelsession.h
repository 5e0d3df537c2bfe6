#ifndef ALBUMPANELSESSION_H
#define ALBUMPANELSESSION_H

#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QSignalSpy>

#include <memory>

class PhotoOperation;

// What a test of the album panel works in: the stand-in back end, recorded boxes, the demo
// order's folder where the stand-in's order path leads, and the panel, whose construction
// starts loading the order's photos.
class AlbumPanelSession
{
public:
    AlbumPanelSession();
    ~AlbumPanelSession();

    // Before each test: fresh boxes, an empty order folder, no requests.
    bool begin();
    // After each test: the panel and its jobs gone, the photo store and product globals empty.
    void end();
    // Lets the thumbnail jobs end and deletes the panel.
    void close();

    // Makes the panel and waits until its load road has shown an album `shows` times or
    // raised a box; with settle, also until every thumbnail has answered.
    PhotoOperation& open(int shows = 2, bool settle = true);

    TestBackend backend;
    std::unique_ptr<PromptRecorder> prompts;
    std::unique_ptr<OrderFolder> order;
    std::unique_ptr<PhotoOperation> panel;
    // sendPhotoModel of the panel since open().
    std::unique_ptr<QSignalSpy> shown;
};

#endif // ALBUMPANELSESSION_H
