#include "usage_win.h"

#include <windows.h>

#include "exit_codes.h"
#include "text_win.h"

namespace velmo {

int ShowUsage() {
  const std::string text = UsageText();
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  // Sent to a file or a pipe ("Qindle -? > usage.txt").
  if (output && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN &&
      WriteFile(output, text.data(), DWORD(text.size()), &written, nullptr))
    return 0;
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::wstring wide = L"\r\n" + WidenUtf8(text);
    const bool shown = console != INVALID_HANDLE_VALUE &&
                       WriteConsoleW(console, wide.data(), DWORD(wide.size()), &written, nullptr);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    if (shown) return 0;
  }
  MessageBoxW(nullptr, WidenUtf8(text).c_str(), L"Qindle", MB_OK | MB_ICONINFORMATION);
  return 0;
}

}  // namespace velmo
