#include "text_list.h"

#include <algorithm>

namespace velmo {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

int TextList::IndexOf(std::string_view text) const {
  const auto found =
      std::ranges::find_if(items_, [text](const std::string& item) { return SameTextIgnoringCase(item, text); });
  return found == items_.end() ? -1 : int(found - items_.begin());
}

}  // namespace velmo
