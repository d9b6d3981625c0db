#include "run_captured_win.h"

#include <vector>

#include "devcon_status.h"
#include "driver_catalogue_win.h"
#include "install_commands.h"
#include "text_win.h"
#include "usb_scan.h"

namespace velmo {
namespace {

constexpr DWORD kPieceBytes = 4095;
// How long an ended tool is given to be gone.
constexpr DWORD kEndWaitMs = 2000;

struct OwnedHandle {
  HANDLE handle = nullptr;
  ~OwnedHandle() {
    if (handle) CloseHandle(handle);
  }
};

// Reads whatever the pipe holds now. False once the pipe is broken: every
// writer has closed it.
bool DrainAvailable(HANDLE pipe, std::string& output) {
  DWORD available = 0;
  if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return false;
  while (available > 0) {
    char piece[kPieceBytes + 1] = {};
    DWORD read = 0;
    if (!ReadFile(pipe, piece, std::min(available, kPieceBytes), &read, nullptr)) return false;
    const std::size_t room = kMaxCapturedOutput - std::min(output.size(), kMaxCapturedOutput);
    output.append(piece, std::min<std::size_t>(read, room));
    available -= std::min(available, read);
  }
  return true;
}

// Ends a tool that is no longer waited for, so none outlives its caller's
// interest in it.
void EndTool(HANDLE process) {
  TerminateProcess(process, DWORD(-1));
  WaitForSingleObject(process, kEndWaitMs);
}

}  // namespace

int RunCaptured(const std::string& commandLine, std::string& output, DWORD timeoutMs,
                const std::stop_token& stop) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  OwnedHandle readEnd, writeEnd;
  if (!CreatePipe(&readEnd.handle, &writeEnd.handle, &inheritable, 0)) return -1;
  SetHandleInformation(readEnd.handle, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  GetStartupInfoW(&startup);
  startup.cb = sizeof startup;
  startup.dwFlags |= STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = startup.hStdError = writeEnd.handle;
  startup.cbReserved2 = 0;  // the C runtime's own handle table is not the tool's
  startup.lpReserved2 = nullptr;
  PROCESS_INFORMATION process{};
  std::wstring line = WidenUtf8(commandLine);
  line.push_back(L'\0');
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  OwnedHandle processHandle{process.hProcess}, thread{process.hThread};
  CloseHandle(writeEnd.handle);
  writeEnd.handle = nullptr;
  output.clear();

  // Polled, not blocking reads: a tool that hangs, or a child of it that
  // keeps the pipe open, must not hold the caller past the time-out.
  const DWORD start = GetTickCount();
  bool pipeOpen = true;
  while (true) {
    if (pipeOpen) pipeOpen = DrainAvailable(readEnd.handle, output);
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
      if (pipeOpen) DrainAvailable(readEnd.handle, output);  // what it wrote last
      break;
    }
    if (GetTickCount() - start >= timeoutMs || stop.stop_requested()) {
      EndTool(process.hProcess);
      return -1;
    }
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process.hProcess, &code)) return -1;
  return int(code);
}

int NativeArchitecture() {
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture;
}

int RunDevcon(const std::string& arguments, std::string& output, const std::stop_token& stop) {
  const std::optional<std::string> command = DevconCommand(ProgramFolder(), NativeArchitecture(), arguments);
  if (!command) return kDevconNotBuilt;
  return RunCaptured(*command, output, kCapturedToolTimeoutMs, stop);
}

}  // namespace velmo
