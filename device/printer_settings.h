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
  bool secret = false;  // a password: left out of exports unless asked for
  int32_t min = INT32_MIN, max = INT32_MAX;
};

// Every setting, in the dialog's read order.
std::span<const SettingKey> SettingKeys();
const SettingKey* FindSettingKey(std::string_view key);

// Integers and booleans as read; texts in the ANSI code page.
using SettingValue = std::variant<int32_t, std::string, AddressBytes>;

// What one read sequence got: only the reads that succeeded.
struct PrinterSettings {
  std::map<std::string, SettingValue, std::less<>> values;
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
// in UTF-8.
std::string SettingValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec);
// Booleans compare as on/off.
bool SameSettingValue(const SettingKey& setting, const SettingValue& a, const SettingValue& b);

// The darkness the printer takes, from its darkness size.
DarknessRange PrinterDarknessRange(const PrinterSettings& settings);

struct SettingWrite {
  const SettingKey* key;
  SettingValue value;
};

// Writes each setting with its kind, then the save commands they need and
// a restart, as the dialog's save buttons do. Stops at the first request
// that fails and names it; nothing on success.
std::optional<std::string> WriteSaveAndRestart(TUsbPrnCmd& cmd, std::span<const SettingWrite> writes);

}  // namespace velmo
