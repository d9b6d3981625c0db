#pragma once
// Watches the calling thread's message boxes from a second thread: how many
// were open at once, the last one's text and title. Each box is left open
// for `holdMs` (long enough for timers to fire under it) and then answered.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmo {

class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(DWORD holdMs = 0) : thread_(GetCurrentThreadId()), holdMs_(holdMs) {
    watcher_ = std::thread([this] { Watch(); });
  }
  ~MessageBoxWatcher() {
    stop_ = true;
    watcher_.join();
  }
  int Seen() const { return seen_; }
  int MostOpenAtOnce() const { return mostOpen_; }
  std::wstring LastText() const {
    std::lock_guard lock(mutex_);
    return text_;
  }
  std::wstring LastTitle() const {
    std::lock_guard lock(mutex_);
    return title_;
  }

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM boxes) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window))
      reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
  }
  void Watch() {
    std::vector<HWND> known;
    ULONGLONG firstOpen = 0;
    while (!stop_) {
      std::vector<HWND> open;
      EnumThreadWindows(thread_, Collect, reinterpret_cast<LPARAM>(&open));
      if (int(open.size()) > mostOpen_) mostOpen_ = int(open.size());
      for (HWND box : open) {
        if (std::find(known.begin(), known.end(), box) != known.end()) continue;
        known.push_back(box);
        ++seen_;
        wchar_t text[512] = L"", title[256] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        GetWindowTextW(box, title, 256);
        std::lock_guard lock(mutex_);
        text_ = text;
        title_ = title;
      }
      if (open.empty()) {
        firstOpen = 0;
      } else if (firstOpen == 0) {
        firstOpen = GetTickCount64();
      } else if (GetTickCount64() - firstOpen >= holdMs_) {
        for (HWND box : open) PostMessageW(box, WM_COMMAND, IDOK, 0);
        firstOpen = 0;
      }
      Sleep(10);
    }
  }

  DWORD thread_;
  DWORD holdMs_;
  std::atomic<bool> stop_{false};
  std::atomic<int> seen_{0}, mostOpen_{0};
  mutable std::mutex mutex_;
  std::wstring text_, title_;
  std::thread watcher_;
};

}  // namespace velmo
