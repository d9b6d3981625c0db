#pragma once
// An ordered list of 8-bit strings whose look-up by value ignores letter case
// (ASCII letters; the bytes of other characters compare as they are).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

bool SameTextIgnoringCase(std::string_view a, std::string_view b);

class TextList {
 public:
  void Clear() { items_.clear(); }
  void Add(std::string text) { items_.push_back(std::move(text)); }
  // -1 when no entry equals `text` without regard to case.
  int IndexOf(std::string_view text) const;
  bool Contains(std::string_view text) const { return IndexOf(text) >= 0; }

  std::size_t Count() const { return items_.size(); }
  const std::string& operator[](std::size_t index) const { return items_.at(index); }
  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

}  // namespace velmo
