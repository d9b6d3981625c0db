#include "translate_form_win.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "debug_console_win.h"
#include "english_mode.h"
#include "form_win.h"
#include "text_win.h"

namespace velmo {
namespace {

void ReportMiss(const std::wstring& form_name, const std::wstring& caption) {
  InitConsoleWindow();
  std::printf("translate miss:[%s][%s]\n", NarrowToAnsi(form_name).c_str(), NarrowToAnsi(caption).c_str());
  std::fflush(stdout);
}

}  // namespace

void TranslateForm(toolkit::Form* form, std::span<const TRANSLATE_PAIR> table) {
  if (!form) return;
  if (IsEnglish()) form->SetFontName(L"Tahoma");
  TranslateComponentTree({table, IsEnglish(), ReportMiss}, *form);
}

}  // namespace velmo
