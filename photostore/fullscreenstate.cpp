#include "photostore/fullscreenstate.h"

namespace FullScreenState {
std::atomic<bool> isOpen {false};
}
