#pragma once
// A profile reader over INI text held in memory: what the portable build
// reads INF files with, line for line as the profile functions read them.
// Lines end with CR LF, LF or CR; a line whose first non-blank character is
// ";" is a comment; "[name]" (up to the last "]", blanks inside trimmed)
// opens a section, and a "[" line without "]" is passed over; a line with
// "=" is a key, its value after the first "="; a line without is no key.
// Only the first of several sections of one name is read, and of several
// keys of one name the first gives the value; a key without a name is not
// listed. The text is 8-bit; a UTF-8 byte-order mark is skipped.
#include <string>
#include <string_view>
#include <vector>

#include "profile_reader.h"

namespace velmo {

class InfText : public ProfileReader {
 public:
  explicit InfText(std::string_view text);

  std::string Value(const std::string& section, const std::string& key,
                    const std::string& fallback) const override;
  std::vector<std::string> KeyNames(const std::string& section) const override;

 private:
  struct Entry {
    std::string name;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* Find(const std::string& section) const;

  std::vector<Section> sections_;
};

}  // namespace velmo
