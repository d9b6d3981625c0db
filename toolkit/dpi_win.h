// The DPI a window is drawn at. Tests set VELMO_DPI to run at another scale.
#pragma once

#include <windows.h>

namespace toolkit {

// VELMO_DPI when set to a number from 48 to 480; otherwise the window's DPI
// (the system DPI for null).
int DpiForWindow(HWND window);

// Whether VELMO_DPI fixes the DPI, so that monitor changes are ignored.
bool DpiOverridden();

}  // namespace toolkit
