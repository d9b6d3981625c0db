#include "paper_catalogue.h"

#include <algorithm>
#include <charconv>

#include "paper_units.h"

namespace velmo {

PaperLists Papers;

namespace {

char LowerLatin(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

void PaperLists::Clear() {
  PaperNames.clear();
  PaperNumbers.clear();
  PaperSizes.clear();
}

void EnumPaperForms(SpoolerForms& spooler, std::string_view printer_name, PaperLists& lists) {
  lists.Clear();
  const auto printer = spooler.Open(printer_name);
  if (!printer) return;
  int number = 0;
  for (const PaperForm& form : printer->Enum()) {
    ++number;
    if (form.Flags == kFormBuiltin) continue;
    lists.PaperNames.push_back(form.Name);
    lists.PaperNumbers.push_back(std::to_string(number));
    lists.PaperSizes.push_back(PaperSizeText(form.Width, form.Height));
  }
}

int FormNumberOf(const PaperLists& lists, int entry) {
  if (entry < 0 || entry >= static_cast<int>(lists.PaperNumbers.size())) return 0;
  const std::string& text = lists.PaperNumbers[static_cast<size_t>(entry)];
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() ? number : 0;
}

int EntryOfFormNumber(const PaperLists& lists, int form_number) {
  for (int entry = 0; entry < static_cast<int>(lists.PaperNumbers.size()); ++entry)
    if (FormNumberOf(lists, entry) == form_number && form_number != 0) return entry;
  return -1;
}

int EntryOfName(const PaperLists& lists, std::string_view name) {
  const auto same = [name](const std::string& candidate) {
    return std::equal(candidate.begin(), candidate.end(), name.begin(), name.end(),
                      [](char a, char b) { return LowerLatin(a) == LowerLatin(b); });
  };
  const auto it = std::find_if(lists.PaperNames.begin(), lists.PaperNames.end(), same);
  return it == lists.PaperNames.end() ? -1 : static_cast<int>(it - lists.PaperNames.begin());
}

int EntryAfterDeletion(int deleted, int count) { return std::min(deleted, count - 1); }

MessageText DeleteConfirmation(const std::wstring& name, bool english) {
  if (english) return {L"Confirm To Delete Paper [" + name + L"] ?", L"Notice"};
  return {L"确定要删除纸张 [" + name + L"] 吗?", L"提示"};
}

}  // namespace velmo
