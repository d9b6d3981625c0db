#pragma once
// The printer's firmware side of the USB command protocol: a store of named
// settings with factory values, the commands that save, restore and restart,
// and replies that may come in pieces and late. Stand-in for tests only.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace velmo::emulator {

using SettingValue = std::variant<int32_t, std::string, std::vector<uint8_t>>;

struct ReplyPiece {
  uint32_t delay_ms;  // after the request, or after the previous piece
  std::vector<uint8_t> bytes;
};

struct ReplyTiming {
  size_t piece_size = 0;  // 0: the whole reply at once
  uint32_t first_delay_ms = 1;
  uint32_t piece_delay_ms = 1;
};

class PrinterFirmware {
 public:
  PrinterFirmware();  // factory settings of an LT42 with Bluetooth, LAN and Wi-Fi

  // The total length of the frame at the start of `bytes`, once its header is there.
  static std::optional<size_t> FrameLength(std::span<const uint8_t> bytes);

  // Answers one request frame. Reads and writes of unknown keys and
  // malformed frames get the error reply 30 01 00.
  std::vector<ReplyPiece> Handle(std::span<const uint8_t> frame);

  // How long the device leaves the bus after its last reply, once: set by
  // "power_reset" (restart_ms) and by the drop after a write (drop_ms).
  std::optional<uint32_t> TakeAbsence();

  ReplyTiming timing;
  uint32_t restart_ms = 1500;
  // After answering this many setting writes (0: never) the device drops off
  // the bus once, as a loose USB cable does, and comes back with its working
  // values untouched. Commands and save commands do not count.
  int unplug_after_writes = 0;
  uint32_t drop_ms = 1000;
  // Keys this firmware lacks although it has them by default: an older model.
  std::set<std::string> unknown_keys;
  // Keys whose writes are answered as done but leave the value as it was,
  // as a faulty printer does.
  std::set<std::string> ignored_writes;

  const SettingValue* Current(const std::string& key) const;
  void SetCurrent(const std::string& key, SettingValue value) { current_[key] = std::move(value); }
  int beeps = 0;
  int self_tests = 0;
  int restarts = 0;

 private:
  std::vector<uint8_t> Read(const std::string& key, uint8_t kind) const;
  std::vector<uint8_t> Write(const std::string& key, uint8_t kind, std::span<const uint8_t> value);
  std::vector<uint8_t> Command(const std::string& name, uint8_t kind);
  std::vector<ReplyPiece> InPieces(std::vector<uint8_t> reply) const;

  std::map<std::string, SettingValue> factory_;
  std::map<std::string, SettingValue> saved_;
  std::map<std::string, SettingValue> current_;
  std::optional<uint32_t> absence_ms_;
  int setting_writes_ = 0;
};

}  // namespace velmo::emulator
