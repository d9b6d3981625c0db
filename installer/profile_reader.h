#pragma once
// The two operations of an INI reader that the driver catalogue needs, with
// the semantics of the platform's profile functions: section and key names
// match without regard to letter case, blanks around keys and values are
// removed, and a value enclosed in a pair of double or single quotes comes
// without them (key names keep their quotes).
#include <string>
#include <vector>

namespace velmo {

class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  virtual std::string Value(const std::string& section, const std::string& key,
                            const std::string& fallback) const = 0;
  // The key names of the section in file order; none for a missing section.
  virtual std::vector<std::string> KeyNames(const std::string& section) const = 0;
};

}  // namespace velmo
