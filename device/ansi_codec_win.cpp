#include "ansi_codec_win.h"

#include <windows.h>

namespace velmo {
namespace {

std::optional<std::wstring> Widen(UINT code_page, DWORD flags, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, flags, text.data(), size, wide.data(), n);
  return wide;
}

}  // namespace

// A character without its own byte in the code page is refused, never
// replaced by '?' or a look-alike.
std::optional<std::string> AnsiCodePageCodec::ToAnsi(std::string_view utf8) const {
  const auto wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const int size = static_cast<int>(wide->size());
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), size, ansi.data(), n, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

std::string AnsiCodePageCodec::ToUtf8(std::string_view ansi) const {
  const auto wide = Widen(CP_ACP, 0, ansi);
  if (!wide || wide->empty()) return {};
  const int size = static_cast<int>(wide->size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide->data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide->data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

}  // namespace velmo
