#include "text_win.h"

#include <windows.h>
#include <shellapi.h>

namespace velmo {
namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

std::vector<std::string> Arguments(UINT codePage) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> texts;
  for (int i = 0; arguments && i < count; ++i) texts.push_back(Narrow(arguments[i], codePage));
  LocalFree(arguments);
  return texts;
}

}  // namespace

std::wstring WidenAnsi(const std::string& ansi) { return Widen(ansi, CP_ACP); }
std::string NarrowToAnsi(const std::wstring& wide) { return Narrow(wide, CP_ACP); }
std::wstring WidenUtf8(const std::string& utf8) { return Widen(utf8, CP_UTF8); }
std::string NarrowToUtf8(const std::wstring& wide) { return Narrow(wide, CP_UTF8); }

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

std::vector<std::string> AnsiArguments() { return Arguments(CP_ACP); }
std::vector<std::string> Utf8Arguments() { return Arguments(CP_UTF8); }

}  // namespace velmo
