#include "translation.h"

namespace velmo {

namespace {

const TRANSLATE_PAIR* RowFor(const TranslationContext& context, const std::wstring& form_name,
                             const std::wstring& source) {
  for (const TRANSLATE_PAIR& row : context.table)
    if (form_name == row.formName && source == row.source) return &row;
  return nullptr;
}

}  // namespace

bool TranslateCaption(const TranslationContext& context, const std::wstring& form_name, toolkit::Component& component,
                      const std::wstring& caption) {
  if (caption.empty()) return true;
  const TRANSLATE_PAIR* row = RowFor(context, form_name, caption);
  if (row && context.english) component.SetCaption(row->english);
  return row != nullptr;
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
  if (const std::wstring name = component.AccessibleName(); !name.empty()) {
    const TRANSLATE_PAIR* row = RowFor(context, form_name, name);
    if (row && context.english) component.SetAccessibleName(row->english);
    if (!row && context.report_miss) context.report_miss(form_name, name);
  }
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
