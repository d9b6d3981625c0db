#include "printer_profile.h"

#include <algorithm>
#include <charconv>

#include "usb_frame.h"

namespace velmo {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What the printer lacks when its presence key is off.
std::string GroupName(std::string_view requires_key) {
  if (requires_key == "BT_ENABLED") return "Bluetooth";
  if (requires_key == "LAN_ENABLED") return "wired network";
  return "Wi-Fi";
}

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

struct Refusal {
  std::string reason;
};

// The value of `setting` from the text after '=', or the reason it is refused.
std::variant<SettingValue, Refusal> ParseValue(const SettingKey& setting, std::string_view text,
                                                   const AnsiCodec& codec) {
  switch (setting.kind) {
    case SettingKind::kInteger: {
      const auto number = ParseInteger(TrimRight(text));
      if (!number) return Refusal{"is not a whole number"};
      if (*number < setting.min || *number > setting.max) {
        return Refusal{"is out of range (" + std::to_string(setting.min) + " to " + std::to_string(setting.max) + ")"};
      }
      return *number;
    }
    case SettingKind::kBoolean: {
      const std::string_view flag = TrimRight(text);
      if (flag != "0" && flag != "1") return Refusal{"must be 0 or 1"};
      return int32_t{flag == "1"};
    }
    case SettingKind::kAddress: {
      const auto address = ParseAddress(TrimRight(text));
      if (!address) return Refusal{"is not an address like 192.168.1.20"};
      return *address;
    }
    case SettingKind::kText: {
      auto ansi = codec.ToAnsi(text);
      if (!ansi) return Refusal{"holds characters the printer's code page cannot carry"};
      if (ansi->find('\0') != std::string::npos) return Refusal{"holds a zero byte"};
      if (!BuildWriteText(setting.key, *ansi)) {
        return Refusal{"is too long for the printer (" + std::to_string(ansi->size()) + " bytes, at most " +
                       std::to_string(MaxTextBytes(setting.key)) + ")"};
      }
      return std::move(*ansi);
    }
  }
  return Refusal{"has no known kind"};
}

}  // namespace

void ParseProfileLine(std::string_view text, int line, const AnsiCodec& codec, ParsedProfile& into) {
  const auto refuse = [&](std::string message) { into.errors.push_back({line, std::move(message)}); };
  if (!IsUtf8(text)) return refuse("is not UTF-8 text");
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) return refuse("expected KEY=VALUE");
  const std::string key(TrimRight(TrimLeft(text.substr(0, equals))));
  const SettingKey* setting = FindSettingKey(key);
  if (!setting) return refuse("unknown key \"" + key + "\"");
  if (setting->save == SettingSave::kNone) return refuse(key + " cannot be written (it is read from the printer)");
  const auto earlier = std::find_if(into.entries.begin(), into.entries.end(),
                                    [&](const ProfileEntry& entry) { return entry.setting.key == setting; });
  if (earlier != into.entries.end()) {
    return refuse(key + " is given twice (first on line " + std::to_string(earlier->line) + ")");
  }
  auto value = ParseValue(*setting, TrimLeft(text.substr(equals + 1)), codec);
  if (auto* refusal = std::get_if<Refusal>(&value)) return refuse(key + " " + refusal->reason);
  into.entries.push_back({{setting, std::get<SettingValue>(std::move(value))}, line});
}

ParsedProfile ParseProfile(std::string_view text, const AnsiCodec& codec) {
  ParsedProfile profile;
  if (text.size() > kMaxProfileBytes) {
    profile.errors.push_back({0, "is larger than " + std::to_string(kMaxProfileBytes) + " bytes"});
    return profile;
  }
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  int line = 0;
  while (!text.empty()) {
    ++line;
    const size_t end = text.find('\n');
    std::string_view current = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
    const std::string_view content = TrimLeft(current);
    if (content.empty() || content.front() == '#') continue;
    ParseProfileLine(content, line, codec, profile);
  }
  return profile;
}

std::vector<ProfileError> CheckProfileForPrinter(const std::vector<ProfileEntry>& entries,
                                                 const PrinterSettings& printer) {
  std::vector<ProfileError> errors;
  const DarknessRange range = PrinterDarknessRange(printer);
  for (const ProfileEntry& entry : entries) {
    const SettingKey& setting = *entry.setting.key;
    if (!printer.Has(setting)) {
      errors.push_back({entry.line, std::string(setting.key) + ": this printer has no " + GroupName(setting.requires_key)});
    } else if (setting.key == "PRINT_DARKNESS") {
      const int32_t darkness = std::get<int32_t>(entry.setting.value);
      if (darkness < range.min || darkness > range.max) {
        errors.push_back({entry.line, "PRINT_DARKNESS is out of this printer's range (" + std::to_string(range.min) +
                                          " to " + std::to_string(range.max) + ")"});
      }
    }
  }
  return errors;
}

std::vector<SettingDifference> DiffProfile(const std::vector<ProfileEntry>& entries, const PrinterSettings& printer,
                                           const AnsiCodec& codec) {
  std::vector<SettingDifference> differences;
  for (const ProfileEntry& entry : entries) {
    const SettingKey& setting = *entry.setting.key;
    const SettingValue* held = printer.Find(setting.key);
    if (held && SameSettingValue(setting, *held, entry.setting.value)) continue;
    differences.push_back({&entry, held ? std::optional(SettingValueText(setting, *held, codec)) : std::nullopt,
                           SettingValueText(setting, entry.setting.value, codec)});
  }
  return differences;
}

std::string DifferenceLine(const SettingDifference& difference) {
  return std::string(difference.entry->setting.key->key) + ": " + difference.printer.value_or("(not read)") +
         " -> " + difference.profile;
}

std::string FormatSettings(const PrinterSettings& printer, const AnsiCodec& codec) {
  std::string text = "# model: " + codec.ToUtf8(printer.ModelName()) + "\n# firmware: " +
                     codec.ToUtf8(printer.FirmwareVersion()) + "\n";
  for (const SettingKey& setting : SettingKeys()) {
    const SettingValue* value = printer.Find(setting.key);
    if (!value || setting.key == "OEM_MODELNAME" || setting.key == "VERSION" || setting.key == "VERSION_CMD") continue;
    text += std::string(setting.key) + "=" + SettingValueText(setting, *value, codec) + "\n";
  }
  return text;
}

std::string FormatProfile(const PrinterSettings& printer, const AnsiCodec& codec, std::string_view date,
                          bool with_secrets) {
  std::string text = "# Velmo printer profile\n# model: " + codec.ToUtf8(printer.ModelName()) + "\n# firmware: " +
                     codec.ToUtf8(printer.FirmwareVersion()) + "\n# date: " + std::string(date) + "\n";
  text += with_secrets ? "# passwords included\n"
                       : "# passwords left out (export with -with-secrets to include them)\n";
  for (const SettingKey& setting : SettingKeys()) {
    const SettingValue* value = printer.Find(setting.key);
    if (!value || setting.save == SettingSave::kNone || (setting.secret && !with_secrets)) continue;
    text += std::string(setting.key) + "=" + SettingValueText(setting, *value, codec) + "\n";
  }
  return text;
}

}  // namespace velmo
