// A window that lives inside another program's window takes that window's
// DPI awareness, so both scale alike (a per-monitor child in a
// system-aware page, or the reverse, would be drawn at the wrong size).
// The calls exist from Windows 10 1607 on; they are looked up at run time,
// and older systems keep the process's awareness from the manifest.
#pragma once

#include <windows.h>

namespace toolkit {

struct DpiAwarenessCalls {
  DPI_AWARENESS_CONTEXT(WINAPI* WindowContext)(HWND) = nullptr;                        // GetWindowDpiAwarenessContext
  DPI_AWARENESS_CONTEXT(WINAPI* SetThreadContext)(DPI_AWARENESS_CONTEXT) = nullptr;    // SetThreadDpiAwarenessContext
};

// The calls of this system's user32; members are null where it lacks them.
DpiAwarenessCalls SystemDpiAwarenessCalls();

// Sets the calling thread's awareness to `window`'s, before the thread makes
// its windows. Returns whether it did; false for no window, a window that is
// gone, or a system without the calls.
bool MatchThreadDpiAwareness(HWND window, const DpiAwarenessCalls& calls = SystemDpiAwarenessCalls());

}  // namespace toolkit
