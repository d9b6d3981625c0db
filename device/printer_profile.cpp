#include "printer_profile.h"

#include <algorithm>
#include <charconv>

#include "profile_text.h"
#include "usb_frame.h"

namespace velmo {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimLeft(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimRight(std::string_view text) {
  const size_t last = text.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Four decimal numbers 0 to 255 joined by dots, nothing else.
std::optional<AddressBytes> ParseAddress(std::string_view text) {
  AddressBytes bytes{};
  for (size_t k = 0; k < bytes.size(); ++k) {
    const size_t dot = k + 1 < bytes.size() ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view part = text.substr(0, dot);
    if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), [](char c) {
          return c >= '0' && c <= '9';
        })) {
      return std::nullopt;
    }
    const int number = std::stoi(std::string(part));
    if (number > 255) return std::nullopt;
    bytes[k] = static_cast<uint8_t>(number);
    text.remove_prefix(std::min(text.size(), dot + 1));
  }
  return bytes;
}

// The longest text that fits a request frame for `key`.
size_t MaxTextBytes(std::string_view key) {
  // Header 6, two sizes 4, key and its zero, the text's zero.
  return kRequestFrameCapacity - 10 - (key.size() + 1) - 1;
}

using Refusal = ProfileError;

// The value of `setting` from the text after '=', or why it is refused.
std::variant<SettingValue, Refusal> ParseValue(const SettingKey& setting, std::string_view text,
                                               const AnsiCodec& codec) {
  const auto refuse = [&](ProfileProblem problem, int64_t low = 0, int64_t high = 0) {
    Refusal refusal = ProblemAt(0, problem, std::string(setting.key));
    refusal.low = low;
    refusal.high = high;
    return refusal;
  };
  switch (setting.kind) {
    case SettingKind::kInteger: {
      const auto number = ParseInteger(TrimRight(text));
      if (!number) return refuse(ProfileProblem::kNotWholeNumber);
      if (*number < setting.min || *number > setting.max) {
        return refuse(ProfileProblem::kOutOfRange, setting.min, setting.max);
      }
      return *number;
    }
    case SettingKind::kBoolean: {
      const std::string_view flag = TrimRight(text);
      if (flag != "0" && flag != "1") return refuse(ProfileProblem::kNotBoolean);
      return int32_t{flag == "1"};
    }
    case SettingKind::kAddress: {
      const auto address = ParseAddress(TrimRight(text));
      if (!address) return refuse(ProfileProblem::kNotAddress);
      return *address;
    }
    case SettingKind::kText: {
      std::optional<std::string> ansi;
      if (!text.empty() && text.front() == '"') {
        UnquoteError error;
        ansi = UnquoteText(text, codec, error);
        if (!ansi) {
          return refuse(error == UnquoteError::kCodePage ? ProfileProblem::kCodePage : ProfileProblem::kBadQuoting);
        }
      } else {
        ansi = codec.ToAnsi(text);
        if (!ansi) return refuse(ProfileProblem::kCodePage);
      }
      if (ansi->find('\0') != std::string::npos) return refuse(ProfileProblem::kZeroByte);
      if (!BuildWriteText(setting.key, *ansi)) {
        return refuse(ProfileProblem::kTooLong, static_cast<int64_t>(ansi->size()),
                      static_cast<int64_t>(MaxTextBytes(setting.key)));
      }
      return std::move(*ansi);
    }
  }
  return refuse(ProfileProblem::kNotWholeNumber);
}

// The text after "# name: " on a comment line.
std::optional<std::string> CommentField(std::string_view comment, std::string_view name) {
  comment = TrimLeft(comment.substr(1));
  if (!comment.starts_with(name) || comment.substr(name.size(), 1) != ":") return std::nullopt;
  return std::string(TrimRight(TrimLeft(comment.substr(name.size() + 1))));
}

}  // namespace

void ParseProfileLine(std::string_view text, int line, const AnsiCodec& codec, ParsedProfile& into) {
  const auto refuse = [&](ProfileProblem problem, std::string key = {}, int64_t low = 0) {
    into.errors.push_back(ProblemAt(line, problem, std::move(key)));
    into.errors.back().low = low;
  };
  if (!IsUtf8(text)) return refuse(ProfileProblem::kNotUtf8);
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) return refuse(ProfileProblem::kNoEquals);
  const std::string key(TrimRight(TrimLeft(text.substr(0, equals))));
  const SettingKey* setting = FindSettingKey(key);
  if (!setting) return refuse(ProfileProblem::kUnknownKey, key);
  if (setting->save == SettingSave::kNone) return refuse(ProfileProblem::kReadOnly, key);
  const auto earlier = std::find_if(into.entries.begin(), into.entries.end(),
                                    [&](const ProfileEntry& entry) { return entry.setting.key == setting; });
  if (earlier != into.entries.end()) return refuse(ProfileProblem::kGivenTwice, key, earlier->line);
  auto value = ParseValue(*setting, TrimLeft(text.substr(equals + 1)), codec);
  if (auto* refusal = std::get_if<Refusal>(&value)) {
    refusal->line = line;
    into.errors.push_back(std::move(*refusal));
    return;
  }
  into.entries.push_back({{setting, std::get<SettingValue>(std::move(value))}, line});
}

ParsedProfile ParseProfile(std::string_view text, const AnsiCodec& codec) {
  ParsedProfile profile;
  if (text.size() > kMaxProfileBytes) {
    profile.errors.push_back(ProblemAt(0, ProfileProblem::kTooLarge));
    profile.errors.back().high = kMaxProfileBytes;
    return profile;
  }
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  int line = 0;
  while (!text.empty()) {
    ++line;
    const size_t end = text.find('\n');
    std::string_view current = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
    const std::string_view content = TrimLeft(current);
    if (content.empty()) continue;
    if (content.front() == '#') {
      if (auto model = CommentField(content, "model"); model && !profile.model) profile.model = model;
      if (auto firmware = CommentField(content, "firmware"); firmware && !profile.firmware) profile.firmware = firmware;
      continue;
    }
    ParseProfileLine(content, line, codec, profile);
  }
  return profile;
}

ParsedProfile ParseProfileFile(std::string_view bytes, const AnsiCodec& codec) {
  if (bytes.size() > kMaxProfileBytes) return ParseProfile(bytes, codec);
  const auto text = DecodeProfileBytes(bytes);
  if (!text) {
    ParsedProfile refused;
    refused.errors.push_back(ProblemAt(0, ProfileProblem::kEncoding));
    return refused;
  }
  return ParseProfile(*text, codec);
}

std::vector<ProfileError> CheckProfileForPrinter(const std::vector<ProfileEntry>& entries,
                                                 const PrinterSettings& printer) {
  std::vector<ProfileError> errors;
  const DarknessRange range = PrinterDarknessRange(printer);
  for (const ProfileEntry& entry : entries) {
    const SettingKey& setting = *entry.setting.key;
    const std::string key(setting.key);
    if (!printer.Has(setting)) {
      errors.push_back(ProblemAt(entry.line, ProfileProblem::kNoSuchGroup, key));
      errors.back().detail = setting.requires_key;
    } else if (printer.Refused(setting.key)) {
      errors.push_back(ProblemAt(entry.line, ProfileProblem::kUnknownToPrinter, key));
    } else if (setting.key == "PRINT_DARKNESS") {
      const int32_t darkness = std::get<int32_t>(entry.setting.value);
      if (darkness < range.min || darkness > range.max) {
        errors.push_back(ProblemAt(entry.line, ProfileProblem::kDarknessRange, key));
        errors.back().low = range.min;
        errors.back().high = range.max;
      }
    }
  }
  return errors;
}

std::vector<SettingDifference> DiffProfile(const std::vector<ProfileEntry>& entries, const PrinterSettings& printer,
                                           const AnsiCodec& codec, bool show_secrets) {
  std::vector<SettingDifference> differences;
  for (const ProfileEntry& entry : entries) {
    const SettingKey& setting = *entry.setting.key;
    const SettingValue* held = printer.Find(setting.key);
    if (held && SameSettingValue(setting, *held, entry.setting.value)) continue;
    differences.push_back(
        {&entry, held ? std::optional(SettingValueText(setting, *held, codec, show_secrets)) : std::nullopt,
         SettingValueText(setting, entry.setting.value, codec, show_secrets)});
  }
  return differences;
}

std::string DifferenceLine(const SettingDifference& difference) {
  return std::string(difference.entry->setting.key->key) + ": " + difference.printer.value_or("(not read)") +
         " -> " + difference.profile;
}

std::string CommentValue(std::string_view utf8) {
  std::string value(TrimRight(TrimLeft(utf8)));
  for (char& c : value) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return std::string(TrimRight(TrimLeft(value)));
}

std::string ProfileValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec) {
  const auto* text = std::get_if<std::string>(&value);
  if (text && TextNeedsQuotes(*text, codec)) return QuoteText(*text, codec);
  return SettingValueText(setting, value, codec, true);
}

std::string ShownValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec,
                           bool show_secrets) {
  return setting.secret && !show_secrets ? std::string(kHiddenSecret) : ProfileValueText(setting, value, codec);
}

namespace {

std::string Header(const PrinterSettings& printer, const AnsiCodec& codec) {
  return "# model: " + CommentValue(codec.ToUtf8(printer.ModelName())) + "\n# firmware: " +
         CommentValue(codec.ToUtf8(printer.FirmwareVersion())) + "\n";
}

bool IsIdentity(std::string_view key) { return key == "OEM_MODELNAME" || key == "VERSION" || key == "VERSION_CMD"; }

// Whether the line reads back as exactly this value.
bool ReadsBack(const std::string& line, const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec) {
  ParsedProfile parsed;
  ParseProfileLine(line, 1, codec, parsed);
  return parsed.entries.size() == 1 && SameSettingValue(setting, parsed.entries[0].setting.value, value);
}

}  // namespace

std::string FormatSettings(const PrinterSettings& printer, const AnsiCodec& codec, bool show_secrets) {
  std::string text = Header(printer, codec);
  for (const SettingKey& setting : SettingKeys()) {
    const SettingValue* value = printer.Find(setting.key);
    if (!value || IsIdentity(setting.key)) continue;
    text += std::string(setting.key) + "=" + ShownValueText(setting, *value, codec, show_secrets) + "\n";
  }
  return text;
}

std::string FormatProfile(const PrinterSettings& printer, const AnsiCodec& codec, std::string_view date,
                          const ExportOptions& options) {
  std::string text = "# Velmo printer profile\n" + Header(printer, codec) + "# date: " + std::string(date) + "\n";
  text += options.with_secrets ? "# passwords included\n"
                               : "# passwords left out (export with -with-secrets to include them)\n";
  if (options.fleet) text += "# for a fleet: addresses and names left out, each printer keeps its own\n";
  for (const SettingKey& setting : SettingKeys()) {
    const SettingValue* value = printer.Find(setting.key);
    if (!value || setting.save == SettingSave::kNone || (setting.secret && !options.with_secrets) ||
        (setting.per_printer && options.fleet)) {
      continue;
    }
    const std::string line = std::string(setting.key) + "=" + ProfileValueText(setting, *value, codec);
    // A value the printer holds but could not be given back stays out of the
    // settings, so that importing the profile changes nothing.
    text += (ReadsBack(line, setting, *value, codec) ? "" : "# cannot be imported: ") + line + "\n";
  }
  return text;
}

}  // namespace velmo
