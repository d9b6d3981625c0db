#include "utf8_text_win.h"

#include <windows.h>
#include <shellapi.h>

namespace velmo {

std::wstring WidenUtf8(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
  return wide;
}

std::string NarrowToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::optional<std::string> ToCodePage(const std::string& utf8, unsigned codePage) {
  const std::wstring wide = WidenUtf8(utf8);
  if (wide.empty()) return std::string();
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr, 0,
                                    nullptr, &lost);
  if (n <= 0 || lost) return std::nullopt;
  std::string text(size_t(n), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), text.data(), n, nullptr,
                      &lost);
  if (lost) return std::nullopt;
  return text;
}

std::vector<std::string> Utf8Arguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 0; arguments && i < count; ++i) utf8.push_back(NarrowToUtf8(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

}  // namespace velmo
