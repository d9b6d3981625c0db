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
//   winctl set-text <title> <text> <new-text>
//                                       replace the text of the control inside
//                                       the window that shows <text> (an edit)
//   winctl drop   <title>               drop down the first combo box inside
//                                       the window
//   winctl rows   <title>               print the rows of the list view in the
//                                       window, "name|port" one per line (UTF-8)
//   winctl double-click-row <title> <index>
//                                       double-click that row of the list view
//   winctl set-edit <title> <text>      set the text of the first edit box in
//                                       the window, as typing would
//   winctl walk   <title> [back]        press Tab (Shift+Tab with "back") from
//                                       the focused control round the window's
//                                       tab ring, printing each stop as
//                                       "role|name|value" (UTF-8) as a screen
//                                       reader gets it; ends where it started,
//                                       or with "(left)" when the focus leaves,
//                                       or "(no end)" after 150 stops
//   winctl press  <title> tab|esc|enter  one real key press in the window
// Captions match with or without their mnemonic marker ("安装" finds "安装(&I)").
// Exit code 0 on success, 1 when the window is not there (or stays), 2 on usage.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "accessible_win.h"
#include "mnemonic.h"

namespace {

struct Search {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  wchar_t text[256];
  if (GetWindowTextW(hwnd, text, 256) &&
      (std::wcscmp(text, search->title) == 0 || toolkit::SpokenCaption(text) == toolkit::SpokenCaption(search->title))) {
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

// An edit's text is its own, not the window's: GetWindowText does not see it
// from another process, WM_GETTEXT does.
BOOL CALLBACK MatchCurrentText(HWND child, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  wchar_t text[256] = L"";
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &length) &&
      std::wcscmp(text, search->title) == 0) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

// WM_SETTEXT carries its text across processes.
int SetText(HWND window, const wchar_t* text, const wchar_t* new_text) {
  Search search{text, nullptr};
  EnumChildWindows(window, MatchCurrentText, reinterpret_cast<LPARAM>(&search));
  return search.found && SendMessageW(search.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(new_text)) ? 0 : 1;
}

struct ClassSearch {
  const wchar_t* class_name;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND child, LPARAM lparam) {
  auto* search = reinterpret_cast<ClassSearch*>(lparam);
  wchar_t name[64];
  if (!GetClassNameW(child, name, 64) || _wcsicmp(name, search->class_name) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

HWND FindChildOfClass(HWND window, const wchar_t* class_name) {
  ClassSearch search{class_name, nullptr};
  EnumChildWindows(window, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindListView(HWND window) { return FindChildOfClass(window, WC_LISTVIEWW); }

int DropDown(HWND window) {
  HWND combo = FindChildOfClass(window, WC_COMBOBOXW);
  if (!combo) return 1;
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  return 0;
}

// Memory inside the list view's process, where its messages' pointers must point.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool Ok() const { return address_ != nullptr; }
  char* At(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
    return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T size) const {
    return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }

 private:
  SIZE_T size_;
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

std::string ItemText(HWND list, const RemoteBlock& block, int item, int column) {
  constexpr int kChars = 256;
  LVITEMW request{};
  request.iSubItem = column;
  request.cchTextMax = kChars;
  request.pszText = reinterpret_cast<wchar_t*>(block.At(sizeof request));
  wchar_t text[kChars] = L"";
  if (!block.Write(0, &request, sizeof request)) return "";
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(block.At(0)));
  block.Read(sizeof request, text, sizeof text);
  text[kChars - 1] = 0;
  char utf8[4 * kChars];
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

int PrintRows(HWND window) {
  HWND list = FindListView(window);
  if (!list) return 1;
  RemoteBlock block(list, sizeof(LVITEMW) + 512);
  if (!block.Ok()) return 1;
  const int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    std::printf("%s|%s\n", ItemText(list, block, i, 0).c_str(), ItemText(list, block, i, 1).c_str());
  return 0;
}

// Selects the row, then the double-click itself at the row's middle: the
// list view reports it to its window as a user's would be.
int DoubleClickRow(HWND window, int index) {
  HWND list = FindListView(window);
  if (!list) return 1;
  RemoteBlock block(list, sizeof(LVITEMW));
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  if (!block.Ok() || !block.Write(0, &row, sizeof row)) return 1;
  if (!SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.At(0)))) return 1;
  block.Read(0, &row, sizeof row);
  LVITEMW selected{};
  selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!block.Write(0, &selected, sizeof selected)) return 1;
  if (!SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(block.At(0)))) return 1;
  const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  return 0;
}

BOOL CALLBACK MatchEdit(HWND child, LPARAM lparam) {
  wchar_t name[64];
  if (!GetClassNameW(child, name, 64) || _wcsicmp(name, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(lparam) = child;
  return FALSE;
}

// WM_SETTEXT raises the edit's change notification, as typing does.
int SetEditText(HWND window, const wchar_t* text) {
  HWND edit = nullptr;
  EnumChildWindows(window, MatchEdit, reinterpret_cast<LPARAM>(&edit));
  if (!edit) return 1;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  return 0;
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

std::string Utf8(const std::wstring& text) {
  std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(out.empty() ? 0 : out.size() - 1);
  return out;
}

std::wstring TakeText(BSTR text) {
  std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return taken;
}

std::string DescribeStop(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), toolkit::kIidAccessible,
                                        reinterpret_cast<void**>(&accessible))))
    return "?|?|";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr, value = nullptr;
  VARIANT role{};
  accessible->get_accName(self, &name);
  accessible->get_accValue(self, &value);
  accessible->get_accRole(self, &role);
  accessible->Release();
  wchar_t role_text[64] = L"";
  if (role.vt == VT_I4) GetRoleTextW(static_cast<DWORD>(role.lVal), role_text, 64);
  return Utf8(role_text) + "|" + Utf8(TakeText(name)) + "|" + Utf8(TakeText(value));
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void PressKey(WORD vk, bool shift = false) {
  INPUT keys[4]{};
  int count = 0;
  auto key = [&](WORD code, bool up) {
    keys[count].type = INPUT_KEYBOARD;
    keys[count].ki.wVk = code;
    keys[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ++count;
  };
  if (shift) key(VK_SHIFT, false);
  key(vk, false);
  key(vk, true);
  if (shift) key(VK_SHIFT, true);
  SendInput(static_cast<UINT>(count), keys, sizeof(INPUT));
}

int Press(HWND window, const std::wstring& name) {
  const WORD vk = name == L"tab" ? VK_TAB : name == L"esc" ? VK_ESCAPE : name == L"enter" ? VK_RETURN : 0;
  if (!vk) return 2;
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  Sleep(100);
  PressKey(vk);
  return 0;
}

// Real key presses, as a keyboard user makes them: the window comes to the
// front first, and each stop is read once the focus has moved.
int Walk(HWND window, bool back) {
  CoInitialize(nullptr);
  HWND top = GetAncestor(window, GA_ROOT);
  SetForegroundWindow(top);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HWND first = nullptr;
  for (int wait = 0; wait < 100 && !(first = FocusOf(thread)); ++wait) Sleep(20);
  if (!first) return 1;
  int stops = 0;
  // A ring that never comes back (the focus cycling through part of the
  // window) ends the walk after more stops than a window has.
  constexpr int kMostStops = 150;
  for (HWND at = first;;) {
    if (++stops > kMostStops) {
      std::printf("(no end)\n");
      return 1;
    }
    std::printf("%s\n", DescribeStop(at).c_str());
    std::fflush(stdout);
    PressKey(VK_TAB, back);
    HWND next = at;
    for (int wait = 0; wait < 100 && next == at; ++wait) {
      Sleep(20);
      next = FocusOf(thread);
    }
    if (next == at) return 1;  // the focus did not move
    if (!next || (next != window && !IsChild(window, next))) {
      std::printf("(left)\n");
      return 0;
    }
    if (next == first) return 0;
    at = next;
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  const bool timed = command == L"wait" || command == L"gone";
  const DWORD timeout = argc > 3 && timed ? DWORD(std::wcstoul(argv[3], nullptr, 10)) : 5000;
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
  if (command == L"set-text" && argc > 4) return SetText(hwnd, argv[3], argv[4]);
  if (command == L"drop") return DropDown(hwnd);
  if (command == L"rows") return PrintRows(hwnd);
  if (command == L"set-edit" && argc > 3) return SetEditText(hwnd, argv[3]);
  if (command == L"press" && argc > 3) return Press(hwnd, argv[3]);
  if (command == L"walk") return Walk(hwnd, argc > 3 && std::wstring(argv[3]) == L"back");
  if (command == L"double-click-row" && argc > 3) return DoubleClickRow(hwnd, int(std::wcstol(argv[3], nullptr, 10)));
  return 2;
}
