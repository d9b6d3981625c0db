// Helpers of the toolkit's Windows tests: running messages until something
// happens, answering the error box from a second thread, and saving a
// window's picture.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace toolkit {
class Form;
}

namespace toolkit::test {

// Handles messages until `done` holds or `timeoutMs` pass; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// A plain top-level window of its own class `cls`, whose messages go to
// `proc`: a stand-in for a peer's window in a test.
HWND MakePlainWindow(const wchar_t* cls, WNDPROC proc);

// Watches the calling thread for message boxes, records each one's text and
// presses its OK button, until destroyed.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer();
  ~MessageBoxAnswerer();
  int Count() const { return count_; }
  std::wstring LastText() const;
  std::wstring LastTitle() const;

 private:
  void Watch();
  DWORD thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> count_{0};
  mutable std::mutex mutex_;
  std::wstring text_, title_;
  std::thread watcher_;
};

// Where each control of `form` that has a window is, in the form's client
// coordinates, by the control's name.
std::map<std::wstring, RECT> PlacesOf(const Form& form);

// Sends `form` the WM_DPICHANGED that a move to a monitor of `dpi` brings,
// with `suggested` as the window's new rectangle.
void SendDpiChange(Form& form, int dpi, const RECT& suggested);

// Saves what the screen shows of `window` as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path);

}  // namespace toolkit::test
