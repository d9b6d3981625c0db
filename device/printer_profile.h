#pragma once
// Printer profiles: text of KEY=VALUE lines and # comments. Parsing checks
// every line before anything is sent; formatting writes what show and export
// print, so that export then import gives back exactly what the printer
// holds; the diff and the verification compare a profile with the printer.
// Problems are reported as data: each front end words them in its language.
#include <cstdint>
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

enum class ProfileProblem {
  kCannotRead,        // the file
  kEncoding,          // neither UTF-8 nor UTF-16 with a byte order mark
  kTooLarge,          // `high`: the limit in bytes
  kNotUtf8,
  kNoEquals,
  kUnknownKey,        // `key` as written
  kReadOnly,          // `key`
  kGivenTwice,        // `key`; `low`: the line it was first given on
  kNotWholeNumber,    // `key`
  kOutOfRange,        // `key`; `low` to `high`
  kNotBoolean,        // `key`
  kNotAddress,        // `key`
  kCodePage,          // `key`: a character the printer's code page lacks
  kZeroByte,          // `key`
  kTooLong,           // `key`; `low`: the text's bytes, `high`: the most a frame holds
  kBadQuoting,        // `key`: an unended quote, an unknown escape, text after the quote
  kNoSuchGroup,       // `key`; `detail`: the group's presence key (BT_ENABLED...)
  kDarknessRange,     // `key`; `low` to `high`: this printer's range
  kUnknownToPrinter,  // `key`: the printer's firmware does not know it
  kOtherModel,        // `detail`: the profile's model, `other`: the printer's
  kOtherFirmware,     // `detail`: the profile's firmware, `other`: the printer's (a warning)
};

struct ProfileError {
  int line = 0;  // 0: the profile as a whole
  ProfileProblem problem = ProfileProblem::kCannotRead;
  std::string key;
  std::string detail, other;
  int64_t low = 0, high = 0;
};

inline ProfileError ProblemAt(int line, ProfileProblem problem, std::string key = {}) {
  ProfileError error;
  error.line = line;
  error.problem = problem;
  error.key = std::move(key);
  return error;
}

struct ParsedProfile {
  std::vector<ProfileEntry> entries;  // in the order given
  std::vector<ProfileError> errors;   // every line that was refused
  // From the "# model: " and "# firmware: " comments, UTF-8.
  std::optional<std::string> model, firmware;
};

// Blank lines and lines starting with # are skipped; lines may end in CRLF.
// The key is taken up to the first '=', blanks around the '=' are dropped.
// A text keeps the rest of its line as it is, or, written in double quotes,
// exactly what the quotes hold, with \\ \" \n \r \t and \xHH (a byte in the
// printer's code page) as escapes.
ParsedProfile ParseProfile(std::string_view text, const AnsiCodec& codec);
// A profile file: UTF-8 with or without a byte order mark, or UTF-16 (little-
// or big-endian) with one, decoded, then parsed; anything else is refused whole.
ParsedProfile ParseProfileFile(std::string_view bytes, const AnsiCodec& codec);
// One KEY=VALUE, as velmocfg set takes it; `line` numbers its errors.
void ParseProfileLine(std::string_view text, int line, const AnsiCodec& codec, ParsedProfile& into);

// What a profile asks that this printer cannot take: a group it lacks, a key
// its firmware does not know, a darkness outside its range.
std::vector<ProfileError> CheckProfileForPrinter(const std::vector<ProfileEntry>& entries,
                                                 const PrinterSettings& printer);

struct SettingDifference {
  const ProfileEntry* entry;
  std::optional<std::string> printer;  // shown text; nothing when not read
  std::string profile;
};
// The entries whose value the printer does not hold; passwords shown as ***
// unless `show_secrets`.
std::vector<SettingDifference> DiffProfile(const std::vector<ProfileEntry>& entries, const PrinterSettings& printer,
                                           const AnsiCodec& codec, bool show_secrets);
// "KEY: printer -> profile"
std::string DifferenceLine(const SettingDifference& difference);

// The value as a profile line holds it: quoted where the plain form would
// not read back as the same value.
std::string ProfileValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec);
// The same, or *** for a password unless `show_secrets`: what show and get print.
std::string ShownValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec,
                           bool show_secrets);

// A model or firmware as its comment line holds it, and as it is compared:
// control characters as '?', no blanks at either end.
std::string CommentValue(std::string_view utf8);

// show: every setting read, with the model and firmware as comments.
std::string FormatSettings(const PrinterSettings& printer, const AnsiCodec& codec, bool show_secrets);

struct ExportOptions {
  bool with_secrets = false;
  bool fleet = false;  // leaves out what is set per printer: addresses, names
};
// export: the settings that can be written. A value that could not be
// imported again (out of the parser's range, too long for a request) is
// kept as a comment, so that the profile always imports.
std::string FormatProfile(const PrinterSettings& printer, const AnsiCodec& codec, std::string_view date,
                          const ExportOptions& options);

}  // namespace velmo
