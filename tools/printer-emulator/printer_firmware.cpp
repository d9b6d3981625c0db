#include "printer_firmware.h"

#include <algorithm>
#include <utility>

namespace velmo::emulator {
namespace {

constexpr uint8_t kRead = 0x20, kWrite = 0x30;
constexpr uint8_t kInteger = 0x00, kText = 0x01, kCommand = 0x02, kBytes = 0x03, kSave = 0x12;
const std::vector<uint8_t> kWriteOk = {kWrite, 0x00, 0x00};
const std::vector<uint8_t> kError = {kWrite, 0x01, 0x00};

size_t Word(std::span<const uint8_t> bytes, size_t at) { return bytes[at] | bytes[at + 1] << 8; }

std::vector<uint8_t> ReadReply(std::span<const uint8_t> payload) {
  // Sized once and filled by index: GCC 12 warns falsely on insert here.
  std::vector<uint8_t> reply(3 + payload.size());
  reply[0] = kRead;
  reply[1] = static_cast<uint8_t>(payload.size());
  reply[2] = static_cast<uint8_t>(payload.size() >> 8);
  for (size_t i = 0; i < payload.size(); ++i) reply[3 + i] = payload[i];
  return reply;
}

// A zero-ended name inside the frame, or nothing when it runs off the end.
std::optional<std::string> NameAt(std::span<const uint8_t> frame, size_t at, size_t size) {
  if (size == 0 || at + size > frame.size() || frame[at + size - 1] != 0) return std::nullopt;
  return std::string(frame.begin() + at, frame.begin() + at + size - 1);
}

bool IsBluetoothKey(const std::string& key) { return key.rfind("BLUETOOTH_", 0) == 0; }

}  // namespace

PrinterFirmware::PrinterFirmware() {
  factory_ = {
      {"PRINT_DARKNESS_SIZE", int32_t{15}}, {"PRINT_DARKNESS", int32_t{0}}, {"PRINT_MODE", int32_t{0}},
      {"AUTO_FEED", int32_t{1}}, {"AUTO_REPRINT", int32_t{0}}, {"PRINT_ONLY_ONE_PAGE", int32_t{0}},
      {"BT_ENABLED", int32_t{1}}, {"BLUETOOTH_NAME", std::string("LT42")},
      {"BLUETOOTH_PASSWORD", std::string("0000")}, {"BLUETOOTH_NAME_LE", std::string("LT42_BLE")},
      {"BLUETOOTH_PASSWORD_LE", std::string("000000")}, {"LAN_ENABLED", int32_t{1}},
      {"LAN_CONFIG_IPADDRESS", std::vector<uint8_t>{0, 0, 0, 0}},
      {"LAN_CONFIG_NETMASK", std::vector<uint8_t>{255, 255, 255, 0}},
      {"LAN_CONFIG_GATEWAY", std::vector<uint8_t>{192, 168, 1, 1}}, {"WIFI_ENABLED", int32_t{1}},
      {"WIFI_CONFIG_SSID", std::string()}, {"WIFI_CONFIG_PASSWORD", std::string()},
      {"WIFI_CONFIG_IPADDRESS", std::vector<uint8_t>{0, 0, 0, 0}},
      {"WIFI_CONFIG_NETMASK", std::vector<uint8_t>{255, 255, 255, 0}},
      {"WIFI_CONFIG_GATEWAY", std::vector<uint8_t>{192, 168, 1, 1}},
      {"OEM_MODELNAME", std::string("Velmo LT42")}, {"VERSION", std::string("2.1")},
      {"VERSION_CMD", std::string("7")},
  };
  saved_ = current_ = factory_;
}

std::optional<size_t> PrinterFirmware::FrameLength(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4) return std::nullopt;
  return 4 + Word(bytes, 2);
}

const SettingValue* PrinterFirmware::Current(const std::string& key) const {
  const auto it = current_.find(key);
  return it == current_.end() ? nullptr : &it->second;
}

std::optional<uint32_t> PrinterFirmware::TakeAbsence() { return std::exchange(absence_ms_, std::nullopt); }

std::vector<ReplyPiece> PrinterFirmware::Handle(std::span<const uint8_t> frame) {
  const auto length = FrameLength(frame);
  if (frame.size() < 6 || frame[0] != 0x1F || frame[1] != 0x52 || length != frame.size()) return InPieces(kError);
  const uint8_t operation = frame[4], kind = frame[5];
  if (operation == kRead) {
    const auto key = NameAt(frame, 6, frame.size() - 6);
    return InPieces(key ? Read(*key, kind) : kError);
  }
  if (operation != kWrite || frame.size() < 10) return InPieces(kError);
  const size_t key_size = Word(frame, 6), value_size = Word(frame, 8);
  const auto key = NameAt(frame, 10, key_size);
  if (!key || 10 + key_size + value_size != frame.size()) return InPieces(kError);
  if (kind == kCommand || kind == kSave) return InPieces(value_size == 0 ? Command(*key, kind) : kError);
  // Refused writes count too: the drop follows the host's Nth write frame.
  if ((kind == kInteger || kind == kText || kind == kBytes) && setting_writes_ < unplug_after_writes &&
      ++setting_writes_ == unplug_after_writes)
    absence_ms_ = drop_ms;
  return InPieces(Write(*key, kind, frame.subspan(10 + key_size)));
}

std::vector<uint8_t> PrinterFirmware::Read(const std::string& key, uint8_t kind) const {
  const SettingValue* value = Current(key);
  if (!value || unknown_keys.count(key)) return kError;
  if (kind == kInteger) {
    const auto* number = std::get_if<int32_t>(value);
    if (!number) return kError;
    const auto bits = static_cast<uint32_t>(*number);
    const uint8_t payload[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                                static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    return ReadReply(payload);
  }
  if (kind == kText) {
    const auto* text = std::get_if<std::string>(value);
    if (!text) return kError;
    std::vector<uint8_t> payload(text->begin(), text->end());
    payload.push_back(0);
    return ReadReply(payload);
  }
  if (kind == kBytes) {
    const auto* bytes = std::get_if<std::vector<uint8_t>>(value);
    return bytes ? ReadReply(*bytes) : kError;
  }
  return kError;
}

std::vector<uint8_t> PrinterFirmware::Write(const std::string& key, uint8_t kind, std::span<const uint8_t> value) {
  const auto it = current_.find(key);
  if (it == current_.end() || unknown_keys.count(key)) return kError;
  if (ignored_writes.count(key)) return kWriteOk;
  if (kind == kInteger && value.size() == 4 && std::holds_alternative<int32_t>(it->second)) {
    it->second = static_cast<int32_t>(value[0] | value[1] << 8 | value[2] << 16 | uint32_t{value[3]} << 24);
    return kWriteOk;
  }
  if (kind == kText && !value.empty() && value.back() == 0 && std::holds_alternative<std::string>(it->second)) {
    it->second = std::string(value.begin(), value.end() - 1);
    return kWriteOk;
  }
  if (kind == kBytes && std::holds_alternative<std::vector<uint8_t>>(it->second)) {
    it->second = std::vector<uint8_t>(value.begin(), value.end());
    return kWriteOk;
  }
  return kError;
}

// Writes take effect in the working set; only a save keeps them over a restart.
std::vector<uint8_t> PrinterFirmware::Command(const std::string& name, uint8_t kind) {
  if (kind == kSave && (name == "reg_value_save" || name == "bt_config_save")) {
    const bool bluetooth = name == "bt_config_save";
    for (const auto& [key, value] : current_)
      if (IsBluetoothKey(key) == bluetooth) saved_[key] = value;
    return kWriteOk;
  }
  if (kind != kCommand) return kError;
  if (name == "power_reset") {
    current_ = saved_;
    absence_ms_ = restart_ms;
    ++restarts;
  } else if (name == "reg_restore_default") {
    saved_ = factory_;
  } else if (name == "ui_prn_selftest") {
    ++self_tests;
  } else if (name == "beep") {
    ++beeps;
  } else {
    return kError;
  }
  return kWriteOk;
}

std::vector<ReplyPiece> PrinterFirmware::InPieces(std::vector<uint8_t> reply) const {
  const size_t size = timing.piece_size ? timing.piece_size : reply.size();
  std::vector<ReplyPiece> pieces;
  // The host judges the first piece alone, so it always holds the 3-byte header.
  for (size_t at = 0, end = 0; at < reply.size(); at = end) {
    end = std::min(reply.size(), at + (at == 0 ? std::max<size_t>(size, 3) : size));
    pieces.push_back({at == 0 ? timing.first_delay_ms : timing.piece_delay_ms,
                      std::vector<uint8_t>(reply.begin() + at, reply.begin() + end)});
  }
  return pieces;
}

}  // namespace velmo::emulator
