#include "feature_set.h"

#include <sstream>

namespace velmo {
namespace {

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::stringstream in(list);
  for (std::string item; std::getline(in, item, ',');)
    if (!Trim(item).empty()) items.push_back(Trim(item));
  return items;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool ReadNumber(const std::string& text, long long min, long long max, long long& out) {
  try {
    size_t used = 0;
    const long long value = std::stoll(text, &used);
    if (used != text.size() || value < min || value > max) return false;
    out = value;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

const std::string* FeatureSet::Find(const std::string& keyword) const {
  for (const auto& [k, v] : options)
    if (k == keyword) return &v;
  return nullptr;
}

void FeatureSet::Set(const std::string& keyword, const std::string& option) {
  for (auto& [k, v] : options)
    if (k == keyword) {
      v = option;
      return;
    }
  options.emplace_back(keyword, option);
}

std::optional<FeatureSet> ParseFeatureSet(const std::string& text, std::string& error) {
  FeatureSet set;
  bool supported_given = false;
  std::stringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) {
      error = "line " + std::to_string(number) + ": expected Keyword=Option";
      return std::nullopt;
    }
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    long long n = 0;
    if (key == "@supported") {
      set.supported = SplitList(value);
      supported_given = true;
    } else if (key == "@unanswered") {
      for (auto& k : SplitList(value)) set.unanswered.insert(k);
    } else if (key == "@paper" && ReadNumber(value, 0, 1 << 30, n)) {
      set.paper = int(n);
    } else if (key == "@delay" && ReadNumber(value, 0, 60000, n)) {
      set.delay_ms = uint32_t(n);
    } else if (key[0] == '@') {
      error = "line " + std::to_string(number) + ": bad setting " + key;
      return std::nullopt;
    } else {
      set.Set(key, value);
    }
  }
  if (!supported_given)
    for (const auto& [k, v] : set.options)
      if (!EndsWith(k, "Default") && !EndsWith(k, "DefaultMm")) set.supported.push_back(k);
  return set;
}

}  // namespace velmo
