#pragma once
// Caption translation: every window is designed in Chinese; in English mode
// each caption that the program's table knows is replaced. The walk over a
// form's components is free of any window system.
#include <functional>
#include <span>
#include <string>

#include "component.h"

namespace velmo {

struct TRANSLATE_PAIR {
  const wchar_t* formName;
  const wchar_t* source;
  const wchar_t* english;
};

// Told of every non-empty caption without a row: form name and caption.
using TranslateMissReport = std::function<void(const std::wstring& form_name, const std::wstring& caption)>;

struct TranslationContext {
  std::span<const TRANSLATE_PAIR> table;
  bool english = false;
  TranslateMissReport report_miss;
};

// True when the caption is empty or has a row for the form; in English mode
// a row's text replaces the component's caption.
bool TranslateCaption(const TranslationContext& context, const std::wstring& form_name, toolkit::Component& component,
                      const std::wstring& caption);

// Walks what `owner` owns, depth first, in each owner's order; the form name
// passed down is always the top form's.
void TranslateComponents(const TranslationContext& context, const std::wstring& form_name,
                         toolkit::Component& owner);

// The form's own caption, then its components.
void TranslateComponentTree(const TranslationContext& context, toolkit::Component& form);

// A text the program shows outside a caption (a message box line), by its
// row: the English text in English mode, else `source` as designed.
std::wstring TranslatedText(std::span<const TRANSLATE_PAIR> table, const std::wstring& form_name,
                            const std::wstring& source, bool english);

// The programs' tables.
std::span<const TRANSLATE_PAIR> OemuiTranslationTable();
std::span<const TRANSLATE_PAIR> QindleTranslationTable();

}  // namespace velmo
