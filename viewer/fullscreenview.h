#ifndef FULLSCREENVIEW_H
#define FULLSCREENVIEW_H

#include <atomic>

// The full-screen slide show.
class FullScreenView
{
public:
    // True while a full-screen view is open. Written on the GUI thread and read by pool
    // jobs, which drop full-size loads that arrive after the view has closed.
    static std::atomic<bool> isValid;
};

#endif // FULLSCREENVIEW_H
