#pragma once
// TUsbPrnCmd: the printer's settings and commands, one exchange each. Every
// operation looks the device up afresh; nothing is kept between them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "usb_frame.h"
#include "usb_port.h"

namespace velmo {

class TUsbPrnCmd {
 public:
  TUsbPrnCmd(std::string_view printer_name, UsbPortOpener& ports) : printerName(printer_name), ports_(ports) {}

  // Reads set the output (when given) to 0 or the empty text first.
  [[nodiscard]] bool GetInt(std::string_view key, int32_t* value = nullptr);
  [[nodiscard]] bool GetString(std::string_view key, std::string* text = nullptr);
  // On success copies min(reply byte 1, out.size()) bytes; on failure leaves `out`.
  [[nodiscard]] bool GetBytes(std::string_view key, std::span<uint8_t> out);

  // A key and value that do not fit one request frame are refused: false,
  // nothing sent.
  [[nodiscard]] bool SetInt(std::string_view key, int32_t value);
  [[nodiscard]] bool SetString(std::string_view key, std::string_view text);  // ANSI code page
  [[nodiscard]] bool SetBytes(std::string_view key, std::span<const uint8_t> bytes);
  [[nodiscard]] bool RunCommand(std::string_view command);
  [[nodiscard]] bool RunSaveCommand(std::string_view command);

  const std::string& PrinterName() const { return printerName; }
  // Whether the last operation got any reply: an operation that failed with
  // a reply was refused by the printer (a key its firmware lacks), one
  // without got no answer.
  bool LastAnswered() const { return last_answered_; }

 private:
  struct Reply {
    std::array<uint8_t, kReplyCapacity> bytes{};
    size_t length = 0;
    std::span<const uint8_t> View() const { return {bytes.data(), length}; }
  };
  Reply Exchange(const std::optional<RequestFrame>& request);
  std::optional<Reply> Read(std::string_view key, UsbValueKind kind);
  bool Write(const std::optional<RequestFrame>& request);

  std::string printerName;
  UsbPortOpener& ports_;
  bool last_answered_ = false;
};

}  // namespace velmo
