// One stand-in program for every outside command the installer runs; the
// executable's own name picks the role (devcon_x64.exe, Drovik.exe,
// cscript.exe, ...). Every run appends its raw command line (in UTF-8, the
// program's path as it was started first) to standin.log beside the
// executable, so tests see exactly what the installer started, and from where.
// A file "devcon_delay.txt" beside devcon holds how many milliseconds each
// of its runs takes, as the real tool takes about half a second.
#include <windows.h>

#include <string>
#include <vector>

#include "printui_queue_win.h"
#include "standin_core.h"

namespace {

using namespace velmo::standin;

std::wstring OwnPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(size - 1));
  return narrow;
}

// Append-only access writes each line at the end even while another run has
// the log open.
void AppendLog(const std::wstring& path, const std::string& line) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

// Missing or unreadable reads as empty: no devices.
std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  CloseHandle(file);
  return text;
}

std::wstring Widen(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
  wide.resize(static_cast<size_t>(size - 1));
  return wide;
}

std::string FullPath(const std::string& path) {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD length =
        GetFullPathNameW(Widen(path).c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return path;
    if (length < buffer.size()) return Narrow(std::wstring(buffer.data(), length));
    buffer.resize(length + 1);
  }
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Byte for byte: the C runtime's text mode would turn "\r\n" into "\r\r\n".
void Write(DWORD which, const std::string& text) {
  HANDLE handle = GetStdHandle(which);
  if (text.empty() || handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

Outcome RunScriptHostRole(const std::vector<std::string>& args) {
  const auto call = PickScript(args);
  if (!call) return Outcome{"", "Usage: cscript [//nologo] <script> [arguments]\r\n", 1};
  const std::string full = FullPath(call->script);
  return RunScriptHost(*call, full, IsFile(full));
}

// A file "printui_refuses.txt" beside the stand-in makes printui add no
// queue, as when the driver cannot be found. A refused "/dl" ends with 0 and
// leaves the queue, as printui with "/q" does.
Outcome RunRundll32Role(const std::string& command_line, const std::wstring& folder) {
  const auto call = ParsePrintUiCommand(ArgumentsText(command_line));
  if (call && call->remove) {
    std::string failure;
    if (!call->queue || !RemoveLocalQueue(*call->queue, failure)) return Outcome{"", "printui /dl: " + failure + "\r\n", 0};
    return Outcome{};
  }
  if (!call || !call->install) return Outcome{};
  if (GetFileAttributesW((folder + L"\\printui_refuses.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
    return Outcome{"", "printui /if: refused\r\n", 1};
  if (!call->queue || call->queue->empty() || !call->port || !call->model) {
    return Outcome{"", "printui /if: /b, /r and /m are needed to add a queue\r\n", 0};
  }
  std::string failure;
  if (!AddLocalQueue(*call->queue, *call->port, *call->model, failure)) return Outcome{"", failure + "\r\n", 0};
  return Outcome{};
}

// What plug and play does once a printer's driver is in place: a queue named
// after the device, on its USB port, with the driver of that name. One that
// exists already is left as it is.
void AddRestartedQueues(Outcome& outcome) {
  for (const Device& device : outcome.restarted) {
    std::string failure;
    if (!device.name.empty() && !AddLocalQueue(device.name, UsbPortOf(device.instance_id), device.name, failure))
      outcome.err += failure + "\r\n";
  }
}

}  // namespace

int wmain() {
  const std::string command_line = Narrow(GetCommandLineW());
  const std::wstring own_path = OwnPath();
  const std::wstring folder = FolderOf(own_path);
  AppendLog(folder + L"\\standin.log", command_line + "\n");

  std::vector<std::string> args = SplitCommandLine(command_line);
  args.erase(args.begin());
  Outcome outcome;
  switch (RoleFromProgramPath(Narrow(own_path))) {
    case Role::Devcon:
      if (const auto delay = DevconDelayMs(ReadWholeFile(folder + L"\\devcon_delay.txt"))) Sleep(*delay);
      outcome = RunDevcon(args, ParseDeviceList(ReadWholeFile(folder + L"\\devcon_devices.txt")));
      AddRestartedQueues(outcome);
      break;
    case Role::ScriptHost:
      outcome = RunScriptHostRole(args);
      break;
    case Role::Rundll32:
      outcome = RunRundll32Role(command_line, folder);
      break;
    case Role::DriverSetup:
    case Role::Control:
      break;
    case Role::Unknown:
      outcome = Outcome{"", "stand-in: no role for this program name\r\n", 1};
      break;
  }
  Write(STD_OUTPUT_HANDLE, outcome.out);
  Write(STD_ERROR_HANDLE, outcome.err);
  return outcome.exit_code;
}
