#include "viewer/fullscreenview.h"

std::atomic<bool>& FullScreenView::isValid = FullScreenState::isOpen;
