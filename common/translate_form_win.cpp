#include "translate_form_win.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "debug_console_win.h"
#include "english_mode.h"
#include "form_win.h"

namespace velmo {
namespace {

std::string Ansi(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void ReportMiss(const std::wstring& form_name, const std::wstring& caption) {
  InitConsoleWindow();
  std::printf("translate miss:[%s][%s]\n", Ansi(form_name).c_str(), Ansi(caption).c_str());
  std::fflush(stdout);
}

}  // namespace

void TranslateForm(toolkit::Form* form, std::span<const TRANSLATE_PAIR> table) {
  if (!form) return;
  if (IsEnglish()) form->SetFontName(L"Tahoma");
  TranslateComponentTree({table, IsEnglish(), ReportMiss}, *form);
}

}  // namespace velmo
