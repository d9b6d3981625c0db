#include "window_probe_win.h"

namespace velmo {
namespace {

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

double AnswerTimeMs(HWND window, UINT limitMs) {
  const double start = NowMs();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs, &result)) return limitMs;
  return NowMs() - start;
}

}  // namespace velmo
