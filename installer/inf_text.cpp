#include "inf_text.h"

#include "text_list.h"

namespace velmo {
namespace {

// The profile functions count Ctrl-Z, the old end-of-file mark, as a blank.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    text.remove_prefix(next);
  }
  return lines;
}

std::string WithoutEnclosingQuotes(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

InfText::InfText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  sections_.push_back({});  // keys before the first header belong to no named section
  for (std::string_view raw : SplitLines(text)) {
    const std::string_view line = Trimmed(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) sections_.push_back({std::string(Trimmed(line.substr(1, close - 1))), {}});
      continue;  // a header without "]" is no line at all
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    sections_.back().entries.push_back(
        {std::string(Trimmed(line.substr(0, equals))), std::string(Trimmed(line.substr(equals + 1)))});
  }
}

const InfText::Section* InfText::Find(const std::string& section) const {
  for (const Section& candidate : sections_) {
    if (SameTextIgnoringCase(candidate.name, section)) return &candidate;
  }
  return nullptr;
}

std::string InfText::Value(const std::string& section, const std::string& key, const std::string& fallback) const {
  const Section* found = Find(section);
  if (!found) return fallback;
  for (const Entry& entry : found->entries) {
    if (SameTextIgnoringCase(entry.name, key)) return WithoutEnclosingQuotes(entry.value);
  }
  return fallback;
}

std::vector<std::string> InfText::KeyNames(const std::string& section) const {
  std::vector<std::string> names;
  if (const Section* found = Find(section)) {
    for (const Entry& entry : found->entries) {
      if (!entry.name.empty()) names.push_back(entry.name);
    }
  }
  return names;
}

}  // namespace velmo
