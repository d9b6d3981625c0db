#pragma once
// velmocfg's commands over what the host gives them: the printers present,
// their USB ports, a clock, the code page, files and the two output streams.
// The Win32 host is the program; tests run it against emulated printers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <memory>

#include "ansi_codec.h"
#include "printer_apply.h"
#include "printer_hold.h"
#include "usb_port.h"

namespace velmo {

class VelmocfgHost {
 public:
  virtual ~VelmocfgHost() = default;
  // Queues whose printer's USB interface is present now, ANSI code page.
  virtual std::vector<std::string> PresentPrinters() = 0;
  virtual bool IsPrinterPresent(std::string_view ansi_name) = 0;
  // What tells the printer apart: queues with the same one are one printer.
  virtual std::string DeviceOf(std::string_view ansi_name) = 0;
  // Keeps every other program off the printer while it is held; nothing
  // when another program still holds it after a while.
  virtual std::unique_ptr<PrinterHold> HoldPrinter(std::string_view ansi_name) = 0;
  // The printer's record of writes not yet known to be saved.
  virtual std::unique_ptr<UnsavedWrites> UnsavedWritesOf(std::string_view ansi_name) = 0;
  virtual UsbPortOpener& Ports() = 0;
  virtual uint64_t NowMs() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  virtual const AnsiCodec& Codec() = 0;
  // Paths in UTF-8. A read gives at most `limit` bytes; nothing when the
  // file cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path, size_t limit) = 0;
  virtual bool WriteFile(const std::string& path, const std::string& content) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;  // true when it exists afterwards
  // Standard input, at most `limit` bytes; nothing when it cannot be read.
  virtual std::optional<std::string> ReadInput(size_t limit) = 0;
  virtual std::string LocalDateTime() = 0;  // "YYYY-MM-DD HH:MM:SS"
  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
};

// Runs the command line (UTF-8, without the program) and gives the exit code.
int RunVelmocfg(const std::vector<std::string>& arguments, VelmocfgHost& host);

}  // namespace velmo
