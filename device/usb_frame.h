#pragma once
// Request frames to the printer and the rules for judging its replies.
// Frames start 0x1F 'R', carry a little-endian body length and are built in
// 128 bytes; replies are received into 256 bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmo {

inline constexpr size_t kRequestFrameCapacity = 128;
inline constexpr size_t kReplyCapacity = 256;

enum class UsbOperation : uint8_t { kRead = 0x20, kWrite = 0x30 };

enum class UsbValueKind : uint8_t {
  kInteger = 0x00,
  kText = 0x01,
  kCommand = 0x02,
  kBytes = 0x03,
  kSaveCommand = 0x12,
};

struct RequestFrame {
  std::array<uint8_t, kRequestFrameCapacity> bytes{};
  size_t length = 0;
  std::span<const uint8_t> View() const { return {bytes.data(), length}; }
};

// Each builder gives nothing when the frame would not fit 128 bytes or a
// name or text holds a zero byte (the printer would see it cut short).
std::optional<RequestFrame> BuildReadRequest(std::string_view key, UsbValueKind kind);
std::optional<RequestFrame> BuildWriteInt(std::string_view key, int32_t value);
std::optional<RequestFrame> BuildWriteText(std::string_view key, std::string_view text);
std::optional<RequestFrame> BuildWriteBytes(std::string_view key, std::span<const uint8_t> value);
std::optional<RequestFrame> BuildCommand(std::string_view command, UsbValueKind kind);

// `reply` is what the transfer received; bytes past it count as zero.
bool IsReadReplyOk(std::span<const uint8_t> reply);
bool IsWriteReplyOk(std::span<const uint8_t> reply);
int32_t ReadReplyInt(std::span<const uint8_t> reply);
std::string ReadReplyText(std::span<const uint8_t> reply);
// Copies min(byte 1, out.size()) bytes from offset 3; returns the count.
size_t ReadReplyBytes(std::span<const uint8_t> reply, std::span<uint8_t> out);

}  // namespace velmo
