#include "dpi_win.h"

#include <cwchar>

namespace toolkit {

namespace {

int DpiOverride() {
  wchar_t text[16] = L"";
  if (!GetEnvironmentVariableW(L"VELMO_DPI", text, 16)) return 0;
  const long dpi = std::wcstol(text, nullptr, 10);
  return dpi >= 48 && dpi <= 480 ? static_cast<int>(dpi) : 0;
}

}  // namespace

bool DpiOverridden() { return DpiOverride() != 0; }

int DpiForWindow(HWND window) {
  if (const int forced = DpiOverride()) return forced;
  const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
  return dpi ? static_cast<int>(dpi) : 96;
}

}  // namespace toolkit
