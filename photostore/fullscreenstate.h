#ifndef FULLSCREENSTATE_H
#define FULLSCREENSTATE_H

#include <atomic>

// Whether a full-screen view is open. Written on the GUI thread by the viewer and read by
// pool jobs, which drop full-size loads that arrive after the view has closed. It lives
// with the jobs because they sit below the viewer; the viewer names it FullScreenView::isValid.
namespace FullScreenState {
extern std::atomic<bool> isOpen;
}

#endif // FULLSCREENSTATE_H
