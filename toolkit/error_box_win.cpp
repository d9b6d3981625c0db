#include "error_box_win.h"

#include <windows.h>

#include <cstring>

namespace toolkit {

namespace {

std::wstring Decode(const char* text, UINT codePage, DWORD flags) {
  const int length = static_cast<int>(std::strlen(text));
  const int wide = MultiByteToWideChar(codePage, flags, text, length, nullptr, 0);
  if (wide <= 0) return {};
  std::wstring result(wide, L'\0');
  MultiByteToWideChar(codePage, flags, text, length, result.data(), wide);
  return result;
}

std::wstring ProgramTitle() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring title = path;
  if (auto slash = title.find_last_of(L"\\/"); slash != std::wstring::npos) title.erase(0, slash + 1);
  if (auto dot = title.rfind(L'.'); dot != std::wstring::npos) title.erase(dot);
  return title;
}

}  // namespace

std::wstring ExceptionText(const std::exception& error) {
  const char* text = error.what();
  if (!text || !*text) return {};
  std::wstring utf8 = Decode(text, CP_UTF8, MB_ERR_INVALID_CHARS);
  return utf8.empty() ? Decode(text, CP_ACP, 0) : utf8;
}

void ShowErrorBox(const std::wstring& text) noexcept {
  try {
    const std::wstring title = ProgramTitle();
    MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
  }
}

}  // namespace toolkit
