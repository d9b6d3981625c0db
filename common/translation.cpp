#include "translation.h"

namespace velmo {

bool TranslateCaption(const TranslationContext& context, const std::wstring& form_name, toolkit::Component& component,
                      const std::wstring& caption) {
  if (caption.empty()) return true;
  for (const TRANSLATE_PAIR& row : context.table) {
    if (form_name != row.formName || caption != row.source) continue;
    if (context.english) component.SetCaption(row.english);
    return true;
  }
  return false;
}

std::wstring TranslatedText(std::span<const TRANSLATE_PAIR> table, const std::wstring& form_name,
                            const std::wstring& source, bool english) {
  if (!english) return source;
  for (const TRANSLATE_PAIR& row : table) {
    if (form_name == row.formName && source == row.source) return row.english;
  }
  return source;
}

namespace {

void TranslateOne(const TranslationContext& context, const std::wstring& form_name, toolkit::Component& component) {
  if (!component.HasCaption()) return;
  const std::wstring caption = component.Caption();
  if (!TranslateCaption(context, form_name, component, caption) && context.report_miss)
    context.report_miss(form_name, caption);
}

}  // namespace

void TranslateComponents(const TranslationContext& context, const std::wstring& form_name,
                         toolkit::Component& owner) {
  for (size_t i = 0; i < owner.ComponentCount(); ++i) {
    toolkit::Component& component = owner.Components(i);
    TranslateComponents(context, form_name, component);
    TranslateOne(context, form_name, component);
  }
}

void TranslateComponentTree(const TranslationContext& context, toolkit::Component& form) {
  TranslateOne(context, form.Name(), form);
  TranslateComponents(context, form.Name(), form);
}

}  // namespace velmo
