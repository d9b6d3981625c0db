#pragma once
// Probing a window from outside its thread: how long it takes to answer a
// message that asks nothing of it, which is how long its thread is away
// from its message loop.
#include <windows.h>

namespace velmo {

// Milliseconds until `window` answered WM_NULL sent with SendMessageTimeout;
// `limitMs` when it did not answer by then.
double AnswerTimeMs(HWND window, UINT limitMs);

}  // namespace velmo
