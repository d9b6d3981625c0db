// What screen readers get from a control: the system's accessible object for
// its window, answering with the design's name, the kind's role, the
// control's value and description, and the mnemonic as its shortcut.
#pragma once

#include <windows.h>

namespace toolkit {

class Control;

// IID_IAccessible. MinGW declares it as a data import, which a static link
// would pass as a thunk.
inline constexpr GUID kIidAccessible{0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The answer to WM_GETOBJECT for the control's client object; 0 for other
// objects, which the window's own procedure answers.
LRESULT AnswerGetObject(Control& control, WPARAM wParam, LPARAM lParam);

// Tells screen readers that a status line now says something else.
void AnnounceTextChange(HWND window, const wchar_t* text);

}  // namespace toolkit
