#include "ansi_text_win.h"

#include <windows.h>
#include <shellapi.h>

namespace velmo {

std::wstring WidenAnsi(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), n);
  return wide;
}

std::string NarrowToAnsi(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), ansi.data(), n, nullptr, nullptr);
  return ansi;
}

std::vector<std::string> AnsiArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> ansi;
  for (int i = 0; arguments && i < count; ++i) ansi.push_back(NarrowToAnsi(arguments[i]));
  LocalFree(arguments);
  return ansi;
}

}  // namespace velmo
