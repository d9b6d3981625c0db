// The reference driver page: stands in for the printer driver's user-interface
// plug-in. It shows a page window, starts drv_velmo_oemui with the handles on
// its command line, answers its WM_COPYDATA requests from a feature set, and
// logs every request with its time (ms since the page started).
//
//   driver_page.exe --program=<exe> [--features=<file>] [--log=<file>]
//                   [--printer=<name>] [--image-ver=N] [--oemui-ver=N]
//
// Closing the page destroys the page window, and with it the settings window
// that lives in it; the page then waits for the program to end. Its OK and
// Cancel buttons (Enter and Esc, by the dialog manager, as on a property
// sheet) log "page command=<id>" and close it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "feature_set.h"

namespace {

using velmo::FeatureSet;

constexpr wchar_t kFrameClass[] = L"VelmoDriverPage";
constexpr wchar_t kPageClass[] = L"VelmoDriverPageArea";
constexpr UINT_PTR kReplyTimer = 1;
constexpr UINT_PTR kEmbedWatchTimer = 2;

struct PendingReply {
  HWND to;
  ULONG_PTR code;
  std::string bytes;
  DWORD due;
};

struct Page {
  std::wstring program, features_path, log_path, printer = L"Velmo LT42";
  int image_ver = 2, oemui_ver = 10;
  FeatureSet features;
  DWORD start = GetTickCount();
  FILE* log = nullptr;
  HWND frame = nullptr, area = nullptr, ok = nullptr, cancel = nullptr;
  bool embedded_logged = false;
  std::deque<PendingReply> pending;
} g_page;

void Log(const char* format, ...) {
  if (!g_page.log) return;
  std::fprintf(g_page.log, "%lu ", static_cast<unsigned long>(GetTickCount() - g_page.start));
  va_list args;
  va_start(args, format);
  std::vfprintf(g_page.log, format, args);
  va_end(args);
  std::fputc('\n', g_page.log);
  std::fflush(g_page.log);
}

std::string Narrow(const std::wstring& w, UINT cp = CP_ACP) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(cp, 0, w.c_str(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(cp, 0, w.c_str(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::string Zero(std::string s) {
  s.push_back('\0');
  return s;
}

// The reply to one request, or nothing for a request the page leaves unanswered.
bool Answer(ULONG_PTR code, const std::string& payload, std::string& reply) {
  FeatureSet& f = g_page.features;
  switch (code) {
    case 1:
      for (const std::string& keyword : f.supported) {
        std::string entry = keyword.substr(0, 63);
        entry.resize(64, '\0');
        reply += entry;
      }
      return true;
    case 3: {
      if (f.unanswered.count(payload)) return false;
      const std::string* option = f.Find(payload);
      reply = option ? Zero(*option) : std::string();
      return true;
    }
    case 4: {
      const size_t eq = payload.find('=');
      if (eq != std::string::npos) f.Set(payload.substr(0, eq), payload.substr(eq + 1));
      reply = Zero("OK");
      return true;
    }
    case 5:
      f.paper = std::atoi(payload.c_str());
      reply = Zero("OK");
      return true;
    case 6:
      reply = Zero(std::to_string(f.paper));
      return true;
    case 7:
      reply = Zero("OK");
      return true;
    default:
      return false;
  }
}

void SendReply(const PendingReply& r) {
  COPYDATASTRUCT data{r.code, DWORD(r.bytes.size()), const_cast<char*>(r.bytes.data())};
  SendMessageW(r.to, WM_COPYDATA, reinterpret_cast<WPARAM>(g_page.frame), reinterpret_cast<LPARAM>(&data));
}

void OnRequest(HWND from, const COPYDATASTRUCT& request) {
  const char* bytes = static_cast<const char*>(request.lpData);
  const std::string payload(bytes, bytes ? strnlen(bytes, request.cbData) : 0);
  Log("request code=%lu payload=%s", static_cast<unsigned long>(request.dwData), payload.c_str());
  std::string reply;
  if (!Answer(request.dwData, payload, reply)) {
    Log("unanswered");
    return;
  }
  PendingReply r{from, request.dwData, reply, GetTickCount() + g_page.features.delay_ms};
  if (g_page.features.delay_ms == 0) {
    SendReply(r);
  } else {
    g_page.pending.push_back(r);
    SetTimer(g_page.frame, kReplyTimer, 1, nullptr);
  }
}

void OnReplyTimer() {
  while (!g_page.pending.empty() && LONG(GetTickCount() - g_page.pending.front().due) >= 0) {
    PendingReply r = g_page.pending.front();
    g_page.pending.pop_front();
    SendReply(r);
  }
  if (g_page.pending.empty()) KillTimer(g_page.frame, kReplyTimer);
}

constexpr int kButtonRow = 44;

void LayOutPage(int width, int height) {
  if (g_page.area) MoveWindow(g_page.area, 0, 0, width, height - kButtonRow, TRUE);
  if (g_page.ok) MoveWindow(g_page.ok, width - 196, height - kButtonRow + 10, 88, 26, TRUE);
  if (g_page.cancel) MoveWindow(g_page.cancel, width - 100, height - kButtonRow + 10, 88, 26, TRUE);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COPYDATA:
      OnRequest(reinterpret_cast<HWND>(wparam), *reinterpret_cast<const COPYDATASTRUCT*>(lparam));
      return TRUE;
    case WM_TIMER:
      if (wparam == kReplyTimer) OnReplyTimer();
      if (wparam == kEmbedWatchTimer && !g_page.embedded_logged) {
        if (HWND child = GetWindow(g_page.area, GW_CHILD)) {
          g_page.embedded_logged = true;
          KillTimer(hwnd, kEmbedWatchTimer);
          Log("embedded hwnd=%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(child)));
        }
      }
      return 0;
    case WM_SIZE:
      LayOutPage(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        Log("page command=%d", LOWORD(wparam));
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_DESTROY:
      Log("page destroyed");
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

bool ReadFeatures() {
  std::ifstream in(std::filesystem::path(g_page.features_path), std::ios::binary);
  if (!in) {
    MessageBoxW(nullptr, (L"Cannot read the feature file " + g_page.features_path).c_str(), L"Driver page",
                MB_ICONERROR);
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  auto set = velmo::ParseFeatureSet(text.str(), error);
  if (!set) {
    MessageBoxA(nullptr, error.c_str(), "Driver page: feature file", MB_ICONERROR);
    return false;
  }
  g_page.features = std::move(*set);
  return true;
}

void ParseArguments() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir(self);
  dir = dir.substr(0, dir.find_last_of(L"\\/") + 1);
  g_page.program = dir + L"drv_velmo_oemui.exe";
  g_page.features_path = dir + L"velmo_lt42.features";
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    auto value = [&a](const wchar_t* opt) { return a.substr(wcslen(opt)); };
    if (a.rfind(L"--program=", 0) == 0) g_page.program = value(L"--program=");
    else if (a.rfind(L"--features=", 0) == 0) g_page.features_path = value(L"--features=");
    else if (a.rfind(L"--log=", 0) == 0) g_page.log_path = value(L"--log=");
    else if (a.rfind(L"--printer=", 0) == 0) g_page.printer = value(L"--printer=");
    else if (a.rfind(L"--image-ver=", 0) == 0) g_page.image_ver = _wtoi(value(L"--image-ver=").c_str());
    else if (a.rfind(L"--oemui-ver=", 0) == 0) g_page.oemui_ver = _wtoi(value(L"--oemui-ver=").c_str());
  }
  LocalFree(argv);
}

HANDLE StartProgram() {
  wchar_t args[1024];
  swprintf(args, 1024, L"\"%ls\" -hdialog:%llx -hparent:%llx \"-printer:%ls\" -image_ver:%d -oemui_ver:%d",
           g_page.program.c_str(), static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(g_page.frame)),
           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(g_page.area)), g_page.printer.c_str(),
           g_page.image_ver, g_page.oemui_ver);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Log("start %s", Narrow(args, CP_UTF8).c_str());
  if (!CreateProcessW(g_page.program.c_str(), args, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    Log("start failed error=%lu", GetLastError());
    return nullptr;
  }
  CloseHandle(pi.hThread);
  Log("started pid=%lu", pi.dwProcessId);
  return pi.hProcess;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  ParseArguments();
  if (!g_page.log_path.empty()) g_page.log = _wfopen(g_page.log_path.c_str(), L"w");
  if (!ReadFeatures()) return 2;

  WNDCLASSW frame{};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance;
  frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  frame.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  frame.lpszClassName = kFrameClass;
  RegisterClassW(&frame);
  WNDCLASSW area = frame;
  area.lpfnWndProc = DefWindowProcW;
  area.lpszClassName = kPageClass;
  RegisterClassW(&area);

  RECT r{0, 0, 870, 657 + kButtonRow};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  const std::wstring title = g_page.printer + L" 打印首选项";
  g_page.frame = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  g_page.area = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                870, 657, g_page.frame, nullptr, instance, nullptr);
  g_page.ok = CreateWindowExW(0, L"BUTTON", L"确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                              g_page.frame, reinterpret_cast<HMENU>(IDOK), instance, nullptr);
  g_page.cancel = CreateWindowExW(0, L"BUTTON", L"取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                  0, g_page.frame, reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
  RECT client{};
  GetClientRect(g_page.frame, &client);
  LayOutPage(client.right, client.bottom);
  ShowWindow(g_page.frame, show);
  UpdateWindow(g_page.frame);
  SetTimer(g_page.frame, kEmbedWatchTimer, 5, nullptr);

  HANDLE process = StartProgram();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsWindow(g_page.frame) && IsDialogMessageW(g_page.frame, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  int rc = 0;
  if (process) {
    if (WaitForSingleObject(process, 5000) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process, &code);
      Log("program ended code=%lu", code);
    } else {
      Log("program still running");
      rc = 3;
    }
    CloseHandle(process);
  }
  if (g_page.log) std::fclose(g_page.log);
  return rc;
}
