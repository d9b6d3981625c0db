// Helpers of the toolkit's Windows tests: running messages until something
// happens, answering the error box from a second thread, and saving a
// window's picture.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace toolkit {
class Control;
class Form;
}  // namespace toolkit

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

// A key as the keyboard gives it to the focused window (or `to`): the held
// keys (VK_SHIFT, VK_CONTROL, VK_MENU) are down while it is handled.
void PressKey(WPARAM key, std::initializer_list<int> held = {}, UINT message = WM_KEYDOWN, HWND to = nullptr);

// The toolkit control that has the focus, or holds the window that has it.
Control* FocusedControl();

// The controls that Tab (Shift+Tab with `backward`) visits by key presses
// from the form's first tab stop until it is back there, at most one round
// and two more.
std::vector<Control*> WalkByTab(Form& form, bool backward);

// What a screen reader reads of the window through the system's
// accessibility call: its name, or what another getter gives.
using AccessibleGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring AccessibleText(HWND window, AccessibleGetter get = &IAccessible::get_accName);
// The client object's role (ROLE_SYSTEM_...); -1 when there is none.
long AccessibleRole(HWND window);

// Where each control of `form` that has a window is, in the form's client
// coordinates, by the control's name.
std::map<std::wstring, RECT> PlacesOf(const Form& form);

// Every control placed in `fresh` is in the same place in `moved`.
void ExpectSamePlaces(const std::map<std::wstring, RECT>& moved, const std::map<std::wstring, RECT>& fresh);

// Forms made while it lives take `dpi` (VELMO_DPI) as their monitor's.
class ScopedDpi {
 public:
  explicit ScopedDpi(int dpi);
  ~ScopedDpi();
  ScopedDpi(const ScopedDpi&) = delete;
  ScopedDpi& operator=(const ScopedDpi&) = delete;
};

// What `of` reads of a form of type F made and shown at `dpi`.
template <class F, class Of>
auto MadeAt(int dpi, Of of) {
  const ScopedDpi scoped(dpi);
  F fresh;
  fresh.Show();
  return of(fresh);
}

// Sends `form` the WM_DPICHANGED that a move to a monitor of `dpi` brings,
// with `suggested` as the window's new rectangle.
void SendDpiChange(Form& form, int dpi, const RECT& suggested);

// Saves what the screen shows of `window` as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path);

}  // namespace toolkit::test
