#include "system_tools_win.h"

#include <windows.h>

#include "text_win.h"

namespace velmo {
namespace {

std::wstring WithSeparator(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

#ifdef VELMO_DEV_TOOLS
std::wstring DevelopmentToolsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"VELMO_DEV_TOOLS_DIR", folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}
#endif

}  // namespace

std::string NativeSystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (RunsUnderWow64()) {
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return NarrowToUtf8(WithSeparator(std::wstring(folder, length)) + L"Sysnative\\");
  }
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return NarrowToUtf8(WithSeparator(std::wstring(folder, length)));
}

std::string SystemToolsFolder() {
#ifdef VELMO_DEV_TOOLS
  if (const std::wstring stand_ins = DevelopmentToolsFolder(); !stand_ins.empty())
    return NarrowToUtf8(WithSeparator(stand_ins));
#endif
  return NativeSystemFolder();
}

}  // namespace velmo
