// Times creating and showing the gallery form (about 80 components) against
// the same windows made with plain CreateWindowExW calls, in alternating runs
// of one process, and prints the minimum and median of each and their ratio.
// The plain windows copy every window of the gallery, hidden ones included
// (class, styles, place, text, list items), with one shared font and no
// toolkit behind them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "gallery_form_win.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return Milliseconds(LARGE_INTEGER{}, now);
}

struct PlainWindow {
  std::wstring className, text;
  DWORD style = 0, exStyle = 0;
  RECT place{};  // in the parent's client area
  int parent = -1;  // index of the parent in the list, -1 for the form
  std::vector<std::wstring> items;  // combo box items, tab captions, list view columns
};

struct PlainForm {
  DWORD style = 0, exStyle = 0;
  RECT window{};
  std::wstring caption;
  std::vector<PlainWindow> windows;
};

std::wstring TextOf(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::vector<std::wstring> ItemsOf(HWND window, const std::wstring& className) {
  std::vector<std::wstring> items;
  wchar_t buffer[256];
  if (className == WC_COMBOBOXW) {
    const int count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      if (SendMessageW(window, CB_GETLBTEXTLEN, i, 0) < 255) {
        SendMessageW(window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
        items.emplace_back(buffer);
      }
  } else if (className == WC_TABCONTROLW) {
    const int count = TabCtrl_GetItemCount(window);
    for (int i = 0; i < count; ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = buffer;
      item.cchTextMax = 256;
      TabCtrl_GetItem(window, i, &item);
      items.emplace_back(buffer);
    }
  } else if (className == WC_LISTVIEWW) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = 256;
    for (int i = 0; ListView_GetColumn(window, i, &column); ++i) items.emplace_back(buffer);
  }
  return items;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The shown gallery's windows as plain create arguments; the toolkit's own
// window class becomes a plain class with DefWindowProc, owner-drawn buttons
// and lists become the standard ones.
PlainForm CopyGallery(const toolkit::Form& gallery) {
  PlainForm form;
  form.style = GetWindowLongW(gallery.Handle(), GWL_STYLE) & ~WS_VISIBLE;
  form.exStyle = GetWindowLongW(gallery.Handle(), GWL_EXSTYLE);
  GetWindowRect(gallery.Handle(), &form.window);
  form.caption = TextOf(gallery.Handle());
  std::vector<HWND> handles;
  EnumChildWindows(gallery.Handle(), CollectWindow, reinterpret_cast<LPARAM>(&handles));
  for (HWND window : handles) {
    PlainWindow plain;
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    plain.className = name;
    plain.style = GetWindowLongW(window, GWL_STYLE);
    plain.exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    if (plain.className == L"VelmoWindow") plain.className = L"PlainBenchmarkWindow";
    if (plain.className == WC_BUTTONW && (plain.style & BS_TYPEMASK) == BS_OWNERDRAW)
      plain.style = (plain.style & ~BS_TYPEMASK) | BS_PUSHBUTTON | BS_MULTILINE;
    if (plain.className == WC_COMBOBOXW) plain.style &= ~(CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE);
    plain.text = TextOf(window);
    plain.items = ItemsOf(window, name);
    HWND parent = GetParent(window);
    plain.parent = static_cast<int>(std::find(handles.begin(), handles.end(), parent) - handles.begin());
    if (plain.parent == static_cast<int>(handles.size())) plain.parent = -1;
    GetWindowRect(window, &plain.place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&plain.place), 2);
    form.windows.push_back(std::move(plain));
  }
  return form;
}

void FillItems(HWND window, const PlainWindow& plain) {
  for (std::size_t i = 0; i < plain.items.size(); ++i) {
    if (plain.className == WC_COMBOBOXW) {
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(plain.items[i].c_str()));
    } else if (plain.className == WC_TABCONTROLW) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(plain.items[i].c_str());
      TabCtrl_InsertItem(window, static_cast<int>(i), &item);
    } else if (plain.className == WC_LISTVIEWW) {
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = 150;
      column.pszText = const_cast<wchar_t*>(plain.items[i].c_str());
      ListView_InsertColumn(window, static_cast<int>(i), &column);
    }
  }
}

// Creates the plain form, shows it, lets it paint, destroys it; returns the
// time to the painted form.
double RunPlain(const PlainForm& form, HFONT font) {
  const double start = Now();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND top = CreateWindowExW(form.exStyle, L"PlainBenchmarkWindow", form.caption.c_str(), form.style,
                             form.window.left, form.window.top, form.window.right - form.window.left,
                             form.window.bottom - form.window.top, nullptr, nullptr, instance, nullptr);
  std::vector<HWND> made;
  for (const PlainWindow& plain : form.windows) {
    HWND parent = plain.parent < 0 ? top : made[static_cast<std::size_t>(plain.parent)];
    HWND window = CreateWindowExW(plain.exStyle, plain.className.c_str(), plain.text.c_str(), plain.style,
                                  plain.place.left, plain.place.top, plain.place.right - plain.place.left,
                                  plain.place.bottom - plain.place.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(made.size() + 1000)), instance,
                                  nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FillItems(window, plain);
    made.push_back(window);
  }
  ShowWindow(top, SW_SHOW);
  UpdateWindow(top);
  toolkit::ProcessMessages();
  const double shown = Now() - start;
  DestroyWindow(top);
  return shown;
}

double RunGallery() {
  const double start = Now();
  auto* form = new toolkit::TfrmGallery;
  form->Show();
  toolkit::ProcessMessages();  // the controls' first paint
  const double shown = Now() - start;
  delete form;
  return shown;
}

struct Stats {
  double min, median;
};

Stats StatsOf(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times.front(), times[(times.size() - 1) / 2]};
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  toolkit::InitializeToolkit();
  WNDCLASSEXW plainClass{};
  plainClass.cbSize = sizeof plainClass;
  plainClass.lpfnWndProc = DefWindowProcW;
  plainClass.hInstance = GetModuleHandleW(nullptr);
  plainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  plainClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  plainClass.lpszClassName = L"PlainBenchmarkWindow";
  RegisterClassExW(&plainClass);
  LOGFONTW logfont{};
  logfont.lfHeight = -12;
  logfont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(logfont.lfFaceName, L"微软雅黑", LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&logfont);

  // A first run of each loads fonts and classes; it is not counted.
  PlainForm plain;
  {
    auto* gallery = new toolkit::TfrmGallery;
    gallery->Show();
    toolkit::ProcessMessages();
    // A plain program makes every window up front, the hidden ones too; the
    // toolkit makes those when they are first shown.
    toolkit::VisitOwnedDepthFirst(*gallery, [](toolkit::Component& component) {
      if (auto* control = dynamic_cast<toolkit::Control*>(&component)) control->Handle();
    });
    plain = CopyGallery(*gallery);
    delete gallery;
  }
  RunPlain(plain, font);
  std::vector<double> galleryTimes, plainTimes;
  for (int run = 0; run < runs; ++run) {
    galleryTimes.push_back(RunGallery());
    plainTimes.push_back(RunPlain(plain, font));
  }
  const Stats g = StatsOf(galleryTimes), p = StatsOf(plainTimes);
  std::printf("toolkit gallery form, create+show: min %.1f ms, median %.1f ms (%d runs)\n", g.min, g.median, runs);
  std::printf("plain CreateWindowExW, %zu controls: min %.1f ms, median %.1f ms\n", plain.windows.size(), p.min,
              p.median);
  std::printf("toolkit / plain (median): %.2fx\n", g.median / p.median);
  DeleteObject(font);
  return 0;
}
