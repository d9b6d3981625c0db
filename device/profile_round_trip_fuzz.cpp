// Whatever the printer holds, its export must import into the same printer
// as exactly those values: every writable setting either reads back the same
// or is kept out as a comment that says it cannot be imported.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "printer_profile.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
  int32_t Int() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t{Next()} << (8 * i);
    return static_cast<int32_t>(value);
  }
  // What a read reply can carry: up to 252 bytes, no zero.
  std::string Text() {
    std::string text(Next() % 253, ' ');
    for (char& c : text) {
      c = static_cast<char>(Next());
      if (c == '\0') c = '0';
    }
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_, at_ = 0;
};

// A code page that carries only ASCII, so that texts it cannot turn into
// UTF-8 and back take the byte-escape path.
class AsciiCodec : public velmo::AnsiCodec {
 public:
  std::optional<std::string> ToAnsi(std::string_view utf8) const override {
    for (const char c : utf8) {
      if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
    }
    return std::string(utf8);
  }
  std::string ToUtf8(std::string_view ansi) const override {
    std::string utf8;
    for (const char c : ansi) utf8 += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : "\xEF\xBF\xBD";
    return utf8;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  static const Latin1Codec latin1;
  static const AsciiCodec ascii;
  Bytes bytes(data, size);
  const AnsiCodec& codec = bytes.Next() & 1 ? static_cast<const AnsiCodec&>(ascii) : latin1;
  PrinterSettings printer;
  for (const SettingKey& setting : SettingKeys()) {
    switch (setting.kind) {
      case SettingKind::kInteger:
      case SettingKind::kBoolean: printer.values[std::string(setting.key)] = bytes.Int(); break;
      case SettingKind::kText: printer.values[std::string(setting.key)] = bytes.Text(); break;
      case SettingKind::kAddress:
        printer.values[std::string(setting.key)] = AddressBytes{bytes.Next(), bytes.Next(), bytes.Next(), bytes.Next()};
        break;
    }
  }
  for (const char* group : {"BT_ENABLED", "LAN_ENABLED", "WIFI_ENABLED"}) printer.values[group] = int32_t{1};

  ExportOptions options;
  options.with_secrets = true;
  const std::string text = FormatProfile(printer, codec, "2026-12-10 00:00:00", options);
  const ParsedProfile profile = ParseProfile(text, codec);
  VELMO_FUZZ_CHECK(profile.errors.empty());
  VELMO_FUZZ_CHECK(profile.model == CommentValue(codec.ToUtf8(printer.ModelName())));
  VELMO_FUZZ_CHECK(profile.firmware == CommentValue(codec.ToUtf8(printer.FirmwareVersion())));
  VELMO_FUZZ_CHECK(CheckProfileForPrinter(profile.entries, printer).size() <= 1);  // only the darkness range
  for (const ProfileEntry& entry : profile.entries) {
    const SettingKey& setting = *entry.setting.key;
    VELMO_FUZZ_CHECK(SameSettingValue(setting, entry.setting.value, *printer.Find(setting.key)));
  }
  for (const SettingKey& setting : SettingKeys()) {
    if (setting.save == SettingSave::kNone) continue;
    const bool imported = std::any_of(profile.entries.begin(), profile.entries.end(),
                                      [&](const ProfileEntry& entry) { return entry.setting.key == &setting; });
    const std::string kept_out = "# cannot be imported: " + std::string(setting.key) + "=";
    VELMO_FUZZ_CHECK(imported || text.find(kept_out) != std::string::npos);
  }
  VELMO_FUZZ_CHECK(DiffProfile(profile.entries, printer, codec, true).empty());
  return 0;
}
