#include "unsaved_writes.h"

#include <algorithm>

#include "printer_settings.h"

namespace velmo {

std::vector<std::string> ParseUnsavedKeys(std::string_view text) {
  std::vector<std::string> keys;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const SettingKey* key = FindSettingKey(line);
    if (key && key->save != SettingSave::kNone && std::find(keys.begin(), keys.end(), line) == keys.end()) {
      keys.emplace_back(line);
    }
  }
  return keys;
}

std::string FormatUnsavedKeys(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += key + "\n";
  return text;
}

}  // namespace velmo
