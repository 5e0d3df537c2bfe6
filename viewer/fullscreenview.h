#ifndef FULLSCREENVIEW_H
#define FULLSCREENVIEW_H

#include "photostore/fullscreenstate.h"

// The full-screen slide show.
class FullScreenView
{
public:
    // True while a full-screen view is open (the photo store's flag, which pool jobs read).
    static std::atomic<bool>& isValid;
};

#endif // FULLSCREENVIEW_H
