// libFuzzer entry: the printer's USB replies. A fake port plays the device
// from the fuzzer's bytes: each read completes at once, later or never, with
// a piece of the bytes, and waits and writes succeed or fail as the bytes
// say. TUsbPrnCmd's reads and writes run over it; nothing may be written
// outside a buffer, the port's rules must hold (one operation per channel,
// no buffer touched after Cancel), and every result must fit its output.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstring>
#include <memory>

#include "fuzz_check.h"
#include "usb_prn_cmd.h"

namespace {

using velmo::UsbChannel;
using velmo::UsbStart;

class FuzzedPort : public velmo::UsbPort {
 public:
  explicit FuzzedPort(FuzzedDataProvider& input) : input_(input) {}
  ~FuzzedPort() override { VELMO_FUZZ_CHECK(!read_.running && !write_.running); }

  UsbStart StartRead(uint8_t* buffer, size_t capacity) override {
    VELMO_FUZZ_CHECK(!read_.running && capacity > 0);
    switch (input_.ConsumeIntegralInRange(0, 3)) {
      case 0: return {UsbStart::kFailed, 0};
      case 1: return {UsbStart::kCompleted, Fill(buffer, capacity)};
      default:
        read_ = {true, false, 0, buffer, capacity};
        return {UsbStart::kPending, 0};
    }
  }
  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    VELMO_FUZZ_CHECK(!write_.running && length > 0 && length <= 256);
    volatile uint8_t last = data[length - 1];  // the whole request is readable
    (void)last;
    if (input_.ConsumeBool()) return {UsbStart::kFailed, 0};
    write_ = {true, false, length, nullptr, 0};
    return {UsbStart::kPending, 0};
  }
  bool Wait(UsbChannel channel, uint32_t) override {
    Operation& op = channel == UsbChannel::kRead ? read_ : write_;
    if (!op.running || op.done) return op.done;
    if (!input_.ConsumeBool()) return false;  // still running after the wait
    op.done = true;
    if (channel == UsbChannel::kRead) op.bytes = Fill(op.buffer, op.capacity);
    else if (input_.ConsumeBool()) op.bytes = input_.ConsumeIntegralInRange<size_t>(0, op.bytes);
    return true;
  }
  std::optional<size_t> Result(UsbChannel channel) override {
    Operation& op = channel == UsbChannel::kRead ? read_ : write_;
    if (!op.running || !op.done) return std::nullopt;
    op.running = false;
    return op.bytes;
  }
  void Cancel() override { read_.running = write_.running = false; }

 private:
  struct Operation {
    bool running = false;
    bool done = false;
    size_t bytes = 0;
    uint8_t* buffer = nullptr;
    size_t capacity = 0;
  };
  size_t Fill(uint8_t* buffer, size_t capacity) {
    const std::vector<uint8_t> piece = input_.ConsumeBytes<uint8_t>(input_.ConsumeIntegralInRange<size_t>(0, capacity));
    if (!piece.empty()) std::memcpy(buffer, piece.data(), piece.size());
    return piece.size();
  }
  FuzzedDataProvider& input_;
  Operation read_, write_;
};

class FuzzedOpener : public velmo::UsbPortOpener {
 public:
  explicit FuzzedOpener(FuzzedDataProvider& input) : input_(input) {}
  std::unique_ptr<velmo::UsbPort> Open(std::string_view name) override {
    VELMO_FUZZ_CHECK(name == "Velmo LT42");
    if (input_.ConsumeIntegralInRange(0, 15) == 0) return nullptr;
    return std::make_unique<FuzzedPort>(input_);
  }

 private:
  FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  FuzzedOpener opener(input);
  velmo::TUsbPrnCmd printer("Velmo LT42", opener);
  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
      case 0: {
        int32_t value = 1;
        if (!printer.GetInt("PRINT_DARKNESS", &value)) VELMO_FUZZ_CHECK(value == 0);
        break;
      }
      case 1: {
        std::string text = "old";
        if (printer.GetString("BT_NAME", &text)) VELMO_FUZZ_CHECK(text.size() < velmo::kReplyCapacity);
        else VELMO_FUZZ_CHECK(text.empty());
        break;
      }
      case 2: {
        // The output sits between guard bytes that must stay as they are.
        std::array<uint8_t, 3 + 6 + 3> guarded;
        guarded.fill(0xA5);
        (void)printer.GetBytes("WIFI_IP", std::span(guarded).subspan(3, 6));
        for (size_t i : {0u, 1u, 2u, 9u, 10u, 11u}) VELMO_FUZZ_CHECK(guarded[i] == 0xA5);
        break;
      }
      case 3: (void)printer.SetInt("PRINT_DARKNESS", input.ConsumeIntegral<int32_t>()); break;
      case 4: (void)printer.SetString("BT_NAME", input.ConsumeRandomLengthString(300)); break;
      default: (void)printer.RunCommand("SELF_TEST"); break;
    }
  }
  return 0;
}
