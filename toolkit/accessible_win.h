// What screen readers get from a control: the system's accessible object for
// its window, answering with the design's name, the kind's role, the
// control's value and description, and the mnemonic as its shortcut.
#pragma once

#include <windows.h>

namespace toolkit {

class Control;

// The answer to WM_GETOBJECT for the control's client object; 0 for other
// objects, which the window's own procedure answers.
LRESULT AnswerGetObject(Control& control, WPARAM wParam, LPARAM lParam);

// Tells screen readers that a status line now says something else.
void AnnounceTextChange(HWND window, const wchar_t* text);

}  // namespace toolkit
