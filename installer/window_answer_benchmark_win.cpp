// Times how quickly a running program's window answers, from a process of
// its own: WM_NULL sent with SendMessageTimeout at a fixed rhythm for a
// while, whether or not earlier probes have been answered. Prints the
// longest answer and the 99th percentile.
//   installer_window_benchmark <window title> [seconds] [interval-ms]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <thread>
#include <vector>

#include "answer_times.h"
#include "window_probe_win.h"

namespace {

constexpr DWORD kWaitForWindowMs = 30000;
constexpr UINT kProbeLimitMs = 5000;

// The window once it is on screen.
HWND WaitForShownWindow(const wchar_t* title) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitForWindowMs) {
    HWND window = FindWindowW(nullptr, title);
    if (window && IsWindowVisible(window)) return window;
    Sleep(10);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const DWORD seconds = argc > 2 ? DWORD(std::wcstoul(argv[2], nullptr, 10)) : 20;
  const DWORD intervalMs = argc > 3 ? DWORD(std::wcstoul(argv[3], nullptr, 10)) : 10;
  if (intervalMs == 0) return 2;
  HWND window = WaitForShownWindow(argv[1]);
  if (!window) {
    std::fprintf(stderr, "no window\n");
    return 1;
  }
  // A probe every interval, each on a thread of its own: a window that does
  // not answer for a while leaves every probe of that while waiting, as it
  // would leave every click.
  const std::size_t probes = std::size_t(seconds) * 1000 / intervalMs;
  std::vector<double> answers(probes);
  std::vector<std::thread> probing;
  const DWORD start = GetTickCount();
  for (std::size_t i = 0; i < probes; ++i) {
    const DWORD due = DWORD(i) * intervalMs, now = GetTickCount() - start;
    if (due > now) Sleep(due - now);
    probing.emplace_back([&answers, window, i] { answers[i] = velmo::AnswerTimeMs(window, kProbeLimitMs); });
  }
  for (std::thread& probe : probing) probe.join();
  const velmo::AnswerSummary summary = velmo::SummarizeAnswers(answers);
  std::printf("%zu probes over %lu s: longest answer %.1f ms, 99th percentile %.1f ms\n", summary.probes,
              static_cast<unsigned long>(seconds), summary.longestMs, summary.percentile99Ms);
  return 0;
}
