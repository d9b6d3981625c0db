#pragma once
// Printer profiles: UTF-8 text of KEY=VALUE lines and # comments. Parsing
// checks every line before anything is sent; formatting writes what show
// and export print; the diff and the verification compare a profile with
// what the printer holds.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_codec.h"
#include "printer_settings.h"

namespace velmo {

// A profile bigger than this is not a profile.
inline constexpr size_t kMaxProfileBytes = 64 * 1024;

struct ProfileEntry {
  SettingWrite setting;
  int line;
};

struct ProfileError {
  int line;  // 0: the profile as a whole
  std::string message;
};

struct ParsedProfile {
  std::vector<ProfileEntry> entries;  // in the order given
  std::vector<ProfileError> errors;   // every line that was refused
};

// Blank lines and lines starting with # are skipped; a UTF-8 byte order
// mark is allowed; lines may end in CRLF. The key is taken up to the first
// '=', blanks around the '=' are dropped, and a text keeps the rest of its
// line as it is.
ParsedProfile ParseProfile(std::string_view text, const AnsiCodec& codec);
// One KEY=VALUE, as velmocfg set takes it; `line` numbers its errors.
void ParseProfileLine(std::string_view text, int line, const AnsiCodec& codec, ParsedProfile& into);

// What a profile asks that this printer cannot take: a group it lacks, a
// darkness outside its range.
std::vector<ProfileError> CheckProfileForPrinter(const std::vector<ProfileEntry>& entries,
                                                 const PrinterSettings& printer);

struct SettingDifference {
  const ProfileEntry* entry;
  std::optional<std::string> printer;  // shown text; nothing when not read
  std::string profile;
};
// The entries whose value the printer does not hold.
std::vector<SettingDifference> DiffProfile(const std::vector<ProfileEntry>& entries, const PrinterSettings& printer,
                                           const AnsiCodec& codec);
// "KEY: printer -> profile"
std::string DifferenceLine(const SettingDifference& difference);

// show: every setting read, with the model and firmware as comments.
std::string FormatSettings(const PrinterSettings& printer, const AnsiCodec& codec);
// export: the settings that can be written, passwords only when asked for.
std::string FormatProfile(const PrinterSettings& printer, const AnsiCodec& codec, std::string_view date,
                          bool with_secrets);

}  // namespace velmo
