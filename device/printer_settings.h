#pragma once
// The settings that the configuration dialog reads from the printer, in its
// read order, with the value kind of each; the read sequence itself; and the
// writes and saves that store settings. One engine for the dialog and for
// velmocfg.
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ansi_codec.h"
#include "printer_config_values.h"
#include "usb_prn_cmd.h"

namespace velmo {

enum class SettingKind { kInteger, kBoolean, kText, kAddress };
// Which save command stores a setting; kNone for what cannot be written.
enum class SettingSave { kNone, kRegValue, kBluetooth };

struct SettingKey {
  std::string_view key;
  SettingKind kind;
  SettingSave save;
  // The group's presence key ("BT_ENABLED"...): read, and written, only
  // when the printer reports the group. Empty for settings every printer has.
  std::string_view requires_key;
  bool secret = false;  // a password: shown as *** and left out of exports unless asked for
  int32_t min = INT32_MIN, max = INT32_MAX;
  // Set per printer (an address, a name): left out of a profile for a fleet.
  bool per_printer = false;
};

// Every setting, in the dialog's read order.
std::span<const SettingKey> SettingKeys();
const SettingKey* FindSettingKey(std::string_view key);

// Integers and booleans as read; texts in the ANSI code page.
using SettingValue = std::variant<int32_t, std::string, AddressBytes>;

// What one read sequence got: the reads that succeeded, and the keys whose
// read failed, told apart by whether the printer answered at all.
struct PrinterSettings {
  std::map<std::string, SettingValue, std::less<>> values;
  std::vector<std::string> refused;     // the printer's firmware does not know them
  std::vector<std::string> unanswered;  // no answer came
  bool Refused(std::string_view key) const;
  const SettingValue* Find(std::string_view key) const;
  std::optional<int32_t> Int(std::string_view key) const;
  std::string Text(std::string_view key) const;  // empty when not read
  // The printer reports the group `setting` belongs to.
  bool Has(const SettingKey& setting) const;
  std::string ModelName() const;
  std::string FirmwareVersion() const;
};

// One read of the setting's kind; nothing when it fails.
std::optional<SettingValue> ReadSetting(TUsbPrnCmd& cmd, const SettingKey& setting);

// The dialog's read sequence: nothing when the first request gets no answer.
std::optional<PrinterSettings> ReadPrinterSettings(TUsbPrnCmd& cmd);

// A value for show, export and diff: booleans 0/1, addresses dotted, texts
// in UTF-8; a password as *** unless secrets are to be shown.
inline constexpr std::string_view kHiddenSecret = "***";
std::string SettingValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec,
                             bool show_secrets);
// Booleans compare as on/off.
bool SameSettingValue(const SettingKey& setting, const SettingValue& a, const SettingValue& b);

// The darkness the printer takes, from its darkness size.
DarknessRange PrinterDarknessRange(const PrinterSettings& settings);

struct SettingWrite {
  const SettingKey* key;
  SettingValue value;
};

// The setting's value as one request of its kind; false when refused or unanswered.
bool WriteSetting(TUsbPrnCmd& cmd, const SettingWrite& write);

// The save commands that store these settings, in the order they are sent.
std::vector<std::string_view> SaveCommandsFor(std::span<const SettingKey* const> keys);

}  // namespace velmo
