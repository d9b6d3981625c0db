// winctl: drives the programs' windows from a second Windows process, for the
// end-to-end tests. Commands:
//   winctl wait  <title> <timeout-ms>   wait for a top-level window, print its handle
//   winctl close <title>                post WM_CLOSE to it
//   winctl gone  <title> <timeout-ms>   wait until no such window exists
// Exit code 0 on success, 1 when the window did not turn up (or go away), 2 on usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND WaitForWindow(const wchar_t* title, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND hwnd = FindWindowW(nullptr, title)) return hwnd;
    if (GetTickCount() - start >= timeout_ms) return nullptr;
    Sleep(20);
  }
}

bool WaitUntilGone(const wchar_t* title, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (FindWindowW(nullptr, title)) {
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  const DWORD timeout = argc > 3 ? DWORD(std::wcstoul(argv[3], nullptr, 10)) : 5000;
  if (command == L"wait") {
    HWND hwnd = WaitForWindow(title, timeout);
    if (!hwnd) return 1;
    std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    return 0;
  }
  if (command == L"close") {
    HWND hwnd = FindWindowW(nullptr, title);
    return hwnd && PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == L"gone") return WaitUntilGone(title, timeout) ? 0 : 1;
  return 2;
}
