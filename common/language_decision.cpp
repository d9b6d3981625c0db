#include "language_decision.h"

#include <algorithm>

namespace velmo {
namespace {
constexpr uint16_t kChinesePrc = 0x0804;
}

bool NamesEnglish(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
  return lower.find("english") != std::string::npos;
}

int DecideEnglishMode(uint16_t system_ui_language, const std::optional<std::string>& recorded_language) {
  return system_ui_language != kChinesePrc || (recorded_language && NamesEnglish(*recorded_language)) ? 1 : 0;
}

}  // namespace velmo
