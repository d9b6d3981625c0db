#pragma once
// The language decision both programs make before their first window: only
// a Chinese (PRC) system stays Chinese, and a recorded language naming
// English switches to English; nothing switches back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

// True when the text, in any letter case, contains "english".
bool NamesEnglish(std::string_view text);

// 1 for English, 0 for Chinese.
int DecideEnglishMode(uint16_t system_ui_language, const std::optional<std::string>& recorded_language);

}  // namespace velmo
