// winctl: drives the programs' windows from a second Windows process, for the
// end-to-end tests and the demo. A window is named by its exact title and may
// be top-level or a child of any top-level window.
//   winctl wait   <title> [timeout-ms]  wait for the window, print its handle
//   winctl gone   <title> [timeout-ms]  wait until no such window exists
//   winctl close  <title>               post WM_CLOSE to it
//   winctl info   <title>               print "child=0|1 fills=0|1 x y w h"
//                                       (fills: covers its parent's client area)
//   winctl detach <title>               make it top-level at the same place on
//                                       screen, so that Wine paints it
//   winctl click  <title> <text> [timeout-ms]
//                                       press the enabled button captioned <text>
//                                       inside the window, once it is enabled
// Exit code 0 on success, 1 when the window is not there (or stays), 2 on usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  wchar_t text[256];
  if (GetWindowTextW(hwnd, text, 256) && std::wcscmp(text, search->title) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK SearchChildren(HWND top, LPARAM lparam) {
  EnumChildWindows(top, MatchTitle, lparam);
  return reinterpret_cast<Search*>(lparam)->found ? FALSE : TRUE;
}

HWND FindAnyWindow(const wchar_t* title) {
  if (HWND top = FindWindowW(nullptr, title)) return top;
  Search search{title, nullptr};
  EnumWindows(SearchChildren, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const wchar_t* title, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND hwnd = FindAnyWindow(title)) return hwnd;
    if (GetTickCount() - start >= timeout_ms) return nullptr;
    Sleep(10);
  }
}

bool WaitUntilGone(const wchar_t* title, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (FindAnyWindow(title)) {
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(20);
  }
  return true;
}

int Info(HWND hwnd) {
  RECT window;
  GetWindowRect(hwnd, &window);
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  const bool child = parent && parent != GetDesktopWindow();
  bool fills = false;
  if (child) {
    RECT client;
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    fills = EqualRect(&client, &window) != 0;
  }
  std::printf("child=%d fills=%d %ld %ld %ld %ld\n", child, fills, window.left, window.top,
              window.right - window.left, window.bottom - window.top);
  return 0;
}

HWND FindChildByText(HWND parent, const wchar_t* text) {
  Search search{text, nullptr};
  EnumChildWindows(parent, MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Posted, not sent: the button may open a modal dialog.
int ClickWhenEnabled(HWND window, const wchar_t* text, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND button = FindChildByText(window, text);
    if (button && IsWindowEnabled(button)) return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    if (GetTickCount() - start >= timeout_ms) return 1;
    Sleep(20);
  }
}

int Detach(HWND hwnd) {
  RECT window;
  GetWindowRect(hwnd, &window);
  SetParent(hwnd, nullptr);
  ShowWindow(hwnd, SW_RESTORE);
  SetWindowPos(hwnd, HWND_TOP, window.left, window.top, window.right - window.left, window.bottom - window.top,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  const DWORD timeout = argc > 3 && command != L"click" ? DWORD(std::wcstoul(argv[3], nullptr, 10)) : 5000;
  if (command == L"wait") {
    HWND hwnd = WaitForWindow(title, timeout);
    if (!hwnd) return 1;
    std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    return 0;
  }
  if (command == L"gone") return WaitUntilGone(title, timeout) ? 0 : 1;
  HWND hwnd = FindAnyWindow(title);
  if (!hwnd) return 1;
  if (command == L"close") return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == L"info") return Info(hwnd);
  if (command == L"detach") return Detach(hwnd);
  if (command == L"click" && argc > 3)
    return ClickWhenEnabled(hwnd, argv[3], argc > 4 ? DWORD(std::wcstoul(argv[4], nullptr, 10)) : 5000);
  return 2;
}
