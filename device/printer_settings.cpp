#include "printer_settings.h"

#include <algorithm>

namespace velmo {
namespace {

constexpr std::string_view kBt = "BT_ENABLED", kLan = "LAN_ENABLED", kWifi = "WIFI_ENABLED";
using K = SettingKind;
using S = SettingSave;

constexpr SettingKey kSettings[] = {
    {"PRINT_DARKNESS_SIZE", K::kInteger, S::kNone, {}},
    {"PRINT_DARKNESS", K::kInteger, S::kRegValue, {}},
    {"PRINT_MODE", K::kInteger, S::kRegValue, {}, false, 0, 2},
    {"AUTO_FEED", K::kBoolean, S::kRegValue, {}},
    {"AUTO_REPRINT", K::kBoolean, S::kRegValue, {}},
    {"PRINT_ONLY_ONE_PAGE", K::kBoolean, S::kRegValue, {}},
    {kBt, K::kBoolean, S::kNone, {}},
    {"BLUETOOTH_NAME", K::kText, S::kBluetooth, kBt, false, INT32_MIN, INT32_MAX, true},
    {"BLUETOOTH_PASSWORD", K::kText, S::kBluetooth, kBt, true},
    {"BLUETOOTH_NAME_LE", K::kText, S::kBluetooth, kBt, false, INT32_MIN, INT32_MAX, true},
    {"BLUETOOTH_PASSWORD_LE", K::kText, S::kBluetooth, kBt, true},
    {kLan, K::kBoolean, S::kNone, {}},
    {"LAN_CONFIG_IPADDRESS", K::kAddress, S::kRegValue, kLan, false, INT32_MIN, INT32_MAX, true},
    {"LAN_CONFIG_NETMASK", K::kAddress, S::kRegValue, kLan},
    {"LAN_CONFIG_GATEWAY", K::kAddress, S::kRegValue, kLan},
    {kWifi, K::kBoolean, S::kNone, {}},
    {"WIFI_CONFIG_SSID", K::kText, S::kRegValue, kWifi},
    {"WIFI_CONFIG_PASSWORD", K::kText, S::kRegValue, kWifi, true},
    {"WIFI_CONFIG_IPADDRESS", K::kAddress, S::kRegValue, kWifi, false, INT32_MIN, INT32_MAX, true},
    {"WIFI_CONFIG_NETMASK", K::kAddress, S::kRegValue, kWifi},
    {"WIFI_CONFIG_GATEWAY", K::kAddress, S::kRegValue, kWifi},
    {"OEM_MODELNAME", K::kText, S::kNone, {}},
    {"VERSION", K::kText, S::kNone, {}},
    {"VERSION_CMD", K::kText, S::kNone, {}},
};

bool IsOn(const SettingValue& value) {
  const auto* number = std::get_if<int32_t>(&value);
  return number && *number != 0;
}

}  // namespace

std::optional<SettingValue> ReadSetting(TUsbPrnCmd& cmd, const SettingKey& setting) {
  switch (setting.kind) {
    case SettingKind::kInteger:
    case SettingKind::kBoolean: {
      int32_t number = 0;
      if (cmd.GetInt(setting.key, &number)) return number;
      return std::nullopt;
    }
    case SettingKind::kText: {
      std::string text;
      if (cmd.GetString(setting.key, &text)) return text;
      return std::nullopt;
    }
    case SettingKind::kAddress: {
      AddressBytes bytes{};
      if (cmd.GetBytes(setting.key, bytes)) return bytes;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

bool WriteSetting(TUsbPrnCmd& cmd, const SettingWrite& write) {
  const std::string_view key = write.key->key;
  if (const auto* number = std::get_if<int32_t>(&write.value)) return cmd.SetInt(key, *number);
  if (const auto* text = std::get_if<std::string>(&write.value)) return cmd.SetString(key, *text);
  return cmd.SetBytes(key, std::get<AddressBytes>(write.value));
}

std::span<const SettingKey> SettingKeys() { return kSettings; }

const SettingKey* FindSettingKey(std::string_view key) {
  const auto it = std::find_if(std::begin(kSettings), std::end(kSettings),
                               [&](const SettingKey& setting) { return setting.key == key; });
  return it == std::end(kSettings) ? nullptr : it;
}

const SettingValue* PrinterSettings::Find(std::string_view key) const {
  const auto it = values.find(key);
  return it == values.end() ? nullptr : &it->second;
}

std::optional<int32_t> PrinterSettings::Int(std::string_view key) const {
  const SettingValue* value = Find(key);
  if (!value || !std::holds_alternative<int32_t>(*value)) return std::nullopt;
  return std::get<int32_t>(*value);
}

std::string PrinterSettings::Text(std::string_view key) const {
  const SettingValue* value = Find(key);
  const auto* text = value ? std::get_if<std::string>(value) : nullptr;
  return text ? *text : std::string();
}

bool PrinterSettings::Refused(std::string_view key) const {
  return std::find(refused.begin(), refused.end(), key) != refused.end();
}

bool PrinterSettings::Has(const SettingKey& setting) const {
  if (setting.requires_key.empty()) return true;
  const SettingValue* present = Find(setting.requires_key);
  return present && IsOn(*present);
}

std::string PrinterSettings::ModelName() const { return Text("OEM_MODELNAME"); }
std::string PrinterSettings::FirmwareVersion() const {
  return FirmwareVersionText(Text("VERSION"), Text("VERSION_CMD"));
}

// The first request tells whether the printer answers at all; the dialog
// then reads the darkness size again with the rest.
std::optional<PrinterSettings> ReadPrinterSettings(TUsbPrnCmd& cmd) {
  if (!cmd.GetInt("PRINT_DARKNESS_SIZE")) return std::nullopt;
  PrinterSettings settings;
  for (const SettingKey& setting : kSettings) {
    if (!settings.Has(setting)) continue;
    if (auto value = ReadSetting(cmd, setting)) {
      settings.values.emplace(std::string(setting.key), std::move(*value));
    } else {
      (cmd.LastAnswered() ? settings.refused : settings.unanswered).emplace_back(setting.key);
    }
  }
  return settings;
}

std::string SettingValueText(const SettingKey& setting, const SettingValue& value, const AnsiCodec& codec,
                             bool show_secrets) {
  if (setting.secret && !show_secrets) return std::string(kHiddenSecret);
  if (setting.kind == SettingKind::kBoolean) return IsOn(value) ? "1" : "0";
  if (const auto* number = std::get_if<int32_t>(&value)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string>(&value)) return codec.ToUtf8(*text);
  return AddressText(std::get<AddressBytes>(value));
}

bool SameSettingValue(const SettingKey& setting, const SettingValue& a, const SettingValue& b) {
  if (setting.kind == SettingKind::kBoolean) return IsOn(a) == IsOn(b);
  return a == b;
}

DarknessRange PrinterDarknessRange(const PrinterSettings& settings) {
  return DarknessRangeForSize(settings.Int("PRINT_DARKNESS_SIZE").value_or(0));
}

std::vector<std::string_view> SaveCommandsFor(std::span<const SettingKey* const> keys) {
  const auto needs = [&](SettingSave save) {
    return std::any_of(keys.begin(), keys.end(), [&](const SettingKey* key) { return key->save == save; });
  };
  std::vector<std::string_view> commands;
  if (needs(SettingSave::kRegValue)) commands.push_back("reg_value_save");
  if (needs(SettingSave::kBluetooth)) commands.push_back("bt_config_save");
  return commands;
}

}  // namespace velmo
