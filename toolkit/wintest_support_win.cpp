#include "wintest_support_win.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <vector>

#include "accessible_win.h"
#include "application_win.h"
#include "form_win.h"
#include "keyboard_win.h"

namespace toolkit::test {

std::map<std::wstring, RECT> PlacesOf(const Form& form) {
  std::map<std::wstring, RECT> places;
  VisitOwnedDepthFirst(form, [&](Component& component) {
    auto* control = dynamic_cast<Control*>(&component);
    if (!control || !control->HandleAllocated()) return;
    RECT r;
    GetWindowRect(control->Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    places[control->Name()] = r;
  });
  return places;
}

void ExpectSamePlaces(const std::map<std::wstring, RECT>& moved, const std::map<std::wstring, RECT>& fresh) {
  const auto text = [](const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
  };
  EXPECT_GT(fresh.size(), 50u);
  for (const auto& [name, place] : fresh) {
    const auto found = moved.find(name);
    ASSERT_NE(found, moved.end()) << std::string(name.begin(), name.end());
    EXPECT_TRUE(EqualRect(&found->second, &place))
        << std::string(name.begin(), name.end()) << ": " << text(found->second) << " instead of " << text(place);
  }
}

ScopedDpi::ScopedDpi(int dpi) { SetEnvironmentVariableW(L"VELMO_DPI", std::to_wstring(dpi).c_str()); }
ScopedDpi::~ScopedDpi() { SetEnvironmentVariableW(L"VELMO_DPI", nullptr); }

void SendDpiChange(Form& form, int dpi, const RECT& suggested) {
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

namespace {

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND MakePlainWindow(const wchar_t* cls, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
}

void PressKey(WPARAM key, std::initializer_list<int> held, UINT message, HWND to) {
  BYTE state[256];
  GetKeyboardState(state);
  for (int down : held) state[down] = 0x80;
  SetKeyboardState(state);
  PostMessageW(to ? to : GetFocus(), message, key, 1);
  ProcessMessages();
  for (int down : held) state[down] = 0;
  SetKeyboardState(state);
}

Control* FocusedControl() {
  for (HWND window = GetFocus(); window; window = GetParent(window))
    if (Control* control = Control::FromHandle(window)) return control;
  return nullptr;
}

std::vector<Control*> WalkByTab(Form& form, bool backward) {
  const std::vector<Control*> ring = TabRing(form);
  if (ring.empty()) return {};
  form.FocusByKeyboard(*ring.front());
  std::vector<Control*> visited{FocusedControl()};
  for (size_t step = 0; step < ring.size() + 2; ++step) {
    PressKey(VK_TAB, backward ? std::initializer_list<int>{VK_SHIFT} : std::initializer_list<int>{});
    if (FocusedControl() == visited.front()) break;
    visited.push_back(FocusedControl());
  }
  return visited;
}

namespace {

IAccessible* ClientAccessible(HWND window) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                        reinterpret_cast<void**>(&accessible))))
    return nullptr;
  return accessible;
}

}  // namespace

std::wstring AccessibleText(HWND window, AccessibleGetter get) {
  IAccessible* accessible = ClientAccessible(window);
  if (!accessible) return {};
  VARIANT self{};
  self.vt = VT_I4;
  BSTR text = nullptr;
  (accessible->*get)(self, &text);
  accessible->Release();
  std::wstring read = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return read;
}

long AccessibleRole(HWND window) {
  IAccessible* accessible = ClientAccessible(window);
  if (!accessible) return -1;
  VARIANT self{}, role{};
  self.vt = VT_I4;
  accessible->get_accRole(self, &role);
  accessible->Release();
  return role.vt == VT_I4 ? role.lVal : -1;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  while (!done() && GetTickCount64() < until) {
    ProcessMessages();
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

MessageBoxAnswerer::MessageBoxAnswerer() : thread_(GetCurrentThreadId()), watcher_([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  stop_ = true;
  watcher_.join();
}

std::wstring MessageBoxAnswerer::LastText() const {
  std::lock_guard lock(mutex_);
  return text_;
}

std::wstring MessageBoxAnswerer::LastTitle() const {
  std::lock_guard lock(mutex_);
  return title_;
}

void MessageBoxAnswerer::Watch() {
  while (!stop_) {
    HWND box = nullptr;
    EnumThreadWindows(thread_, FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
    if (box) {
      wchar_t text[512] = L"", title[256] = L"";
      GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message box's text control
      GetWindowTextW(box, title, 256);
      {
        std::lock_guard lock(mutex_);
        text_ = text;
        title_ = title;
      }
      ++count_;
      SendMessageW(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && !stop_) Sleep(5);
    }
    Sleep(10);
  }
}

bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(copy, previous);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD stride = (width * 3 + 3) & ~3u;
  std::vector<BYTE> pixels(stride * height);
  GetDIBits(copy, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) && WriteFile(out, &info, sizeof info, &written, nullptr) &&
            WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
  return ok;
}

}  // namespace toolkit::test
