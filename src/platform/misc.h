#pragma once

#include "platform/pfexport.h"

#include <cstdint>

namespace pf {

// Beeps, and counts every beep so that tests can see them.
PF_EXPORT void beep();
PF_EXPORT int beepCount();
PF_EXPORT void resetBeepCount();

// Shows the wait cursor for its lifetime; nests.
class PF_EXPORT WaitCursor final {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Milliseconds since an arbitrary start, monotonic.
PF_EXPORT std::uint32_t tickCount();

// The usable screen area in pixels; tests may override it (0 × 0 removes the override).
struct Size {
    int width = 0;
    int height = 0;
};
PF_EXPORT Size screenSize();
PF_EXPORT void setScreenSizeOverride(Size size);

// Dispatches pending events. False once the application has been told to quit.
PF_EXPORT bool pumpMessages();
PF_EXPORT bool quitRequested();
// Marks the application as quitting (as a quit event does); tests clear the mark again.
PF_EXPORT void requestQuit();
PF_EXPORT void clearQuitRequest();

// Whether Shift, Control or Alt is held now.
PF_EXPORT bool shiftDown();
PF_EXPORT bool controlDown();
PF_EXPORT bool altDown();

} // namespace pf
