#pragma once
// The feature set that the reference driver page answers from, read from a
// small text file:
//   Keyword=Option          a current option ("...Default" keys are options too)
//   @supported=K1,K2,...    keywords reported by EnumFeatures (default: every
//                           keyword without the "Default" suffix)
//   @paper=N                current spooler form number
//   @unanswered=K1,K2       keywords whose reads get no reply
//   @delay=MS               delay of every reply
// Blank lines and lines starting with '#' are ignored.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace velmo {

struct FeatureSet {
  std::vector<std::pair<std::string, std::string>> options;  // file order
  std::vector<std::string> supported;
  std::set<std::string> unanswered;
  int paper = 0;
  uint32_t delay_ms = 0;

  const std::string* Find(const std::string& keyword) const;
  void Set(const std::string& keyword, const std::string& option);
};

// Returns the set, or an error text naming the line that could not be read.
std::optional<FeatureSet> ParseFeatureSet(const std::string& text, std::string& error);

}  // namespace velmo
