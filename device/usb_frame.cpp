#include "usb_frame.h"

#include <algorithm>
#include <cstring>

namespace velmo {
namespace {

constexpr uint8_t kFrameStart = 0x1F;
constexpr uint8_t kFrameLetter = 0x52;
constexpr size_t kHeaderSize = 6;   // start, letter, body length, operation, kind
constexpr size_t kReplyHeader = 3;  // first byte, two-byte payload length

bool HasZeroByte(std::string_view text) { return text.find('\0') != std::string_view::npos; }

// Appends to a frame whose total size has been checked against its capacity.
class FrameWriter {
 public:
  FrameWriter(size_t total, UsbOperation operation, UsbValueKind kind) {
    Byte(kFrameStart);
    Byte(kFrameLetter);
    Word(total - 4);
    Byte(static_cast<uint8_t>(operation));
    Byte(static_cast<uint8_t>(kind));
  }
  void Byte(uint8_t value) { frame_.bytes[frame_.length++] = value; }
  void Word(size_t value) {
    Byte(static_cast<uint8_t>(value & 0xFF));
    Byte(static_cast<uint8_t>((value >> 8) & 0xFF));
  }
  void Bytes(const void* data, size_t size) {
    if (size) std::memcpy(frame_.bytes.data() + frame_.length, data, size);
    frame_.length += size;
  }
  void Text(std::string_view text) {
    Bytes(text.data(), text.size());
    Byte(0);
  }
  RequestFrame Done() const { return frame_; }

 private:
  RequestFrame frame_;
};

std::optional<RequestFrame> BuildWrite(std::string_view key, UsbValueKind kind, const void* value,
                                       size_t value_size) {
  if (HasZeroByte(key)) return std::nullopt;
  const size_t key_size = key.size() + 1;
  const size_t total = kHeaderSize + 4 + key_size + value_size;
  if (total > kRequestFrameCapacity) return std::nullopt;
  FrameWriter writer(total, UsbOperation::kWrite, kind);
  writer.Word(key_size);
  writer.Word(value_size);
  writer.Text(key);
  writer.Bytes(value, value_size);
  return writer.Done();
}

uint8_t At(std::span<const uint8_t> reply, size_t index) { return index < reply.size() ? reply[index] : 0; }

std::span<const uint8_t> Payload(std::span<const uint8_t> reply) {
  return reply.size() > kReplyHeader ? reply.subspan(kReplyHeader) : std::span<const uint8_t>{};
}

}  // namespace

std::optional<RequestFrame> BuildReadRequest(std::string_view key, UsbValueKind kind) {
  if (HasZeroByte(key)) return std::nullopt;
  const size_t total = kHeaderSize + key.size() + 1;
  if (total > kRequestFrameCapacity) return std::nullopt;
  FrameWriter writer(total, UsbOperation::kRead, kind);
  writer.Text(key);
  return writer.Done();
}

std::optional<RequestFrame> BuildWriteInt(std::string_view key, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  const uint8_t little_endian[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                                    static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  return BuildWrite(key, UsbValueKind::kInteger, little_endian, sizeof little_endian);
}

std::optional<RequestFrame> BuildWriteText(std::string_view key, std::string_view text) {
  if (HasZeroByte(text)) return std::nullopt;
  std::array<char, kRequestFrameCapacity> value{};
  if (text.size() + 1 > value.size()) return std::nullopt;
  std::copy(text.begin(), text.end(), value.begin());
  return BuildWrite(key, UsbValueKind::kText, value.data(), text.size() + 1);
}

std::optional<RequestFrame> BuildWriteBytes(std::string_view key, std::span<const uint8_t> value) {
  return BuildWrite(key, UsbValueKind::kBytes, value.data(), value.size());
}

std::optional<RequestFrame> BuildCommand(std::string_view command, UsbValueKind kind) {
  return BuildWrite(command, kind, nullptr, 0);
}

bool IsReadReplyOk(std::span<const uint8_t> reply) {
  return reply.size() >= kReplyHeader && reply[0] == static_cast<uint8_t>(UsbOperation::kRead);
}

bool IsWriteReplyOk(std::span<const uint8_t> reply) {
  return reply.size() >= kReplyHeader && reply[0] == static_cast<uint8_t>(UsbOperation::kWrite) && reply[1] == 0;
}

int32_t ReadReplyInt(std::span<const uint8_t> reply) {
  const uint32_t bits = uint32_t{At(reply, 3)} | uint32_t{At(reply, 4)} << 8 | uint32_t{At(reply, 5)} << 16 |
                        uint32_t{At(reply, 6)} << 24;
  return static_cast<int32_t>(bits);
}

std::string ReadReplyText(std::span<const uint8_t> reply) {
  const auto payload = Payload(reply);
  const auto end = std::find(payload.begin(), payload.end(), uint8_t{0});
  return std::string(payload.begin(), end);
}

size_t ReadReplyBytes(std::span<const uint8_t> reply, std::span<uint8_t> out) {
  // Byte 1 may claim more than the reply buffer holds.
  const size_t count = std::min({size_t{At(reply, 1)}, out.size(), kReplyCapacity - kReplyHeader});
  for (size_t i = 0; i < count; ++i) out[i] = At(reply, kReplyHeader + i);
  return count;
}

}  // namespace velmo
