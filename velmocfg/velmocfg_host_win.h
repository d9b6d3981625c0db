#pragma once
// velmocfg's host on Windows: the spooler's queues and the USB locator, the
// ANSI code page, files by UTF-16 path, the console's output streams.
#include "ansi_codec_win.h"
#include "velmocfg_run.h"

namespace velmo {

class Win32VelmocfgHost : public VelmocfgHost {
 public:
  std::vector<std::string> PresentPrinters() override;
  bool IsPrinterPresent(std::string_view ansi_name) override;
  std::string DeviceOf(std::string_view ansi_name) override;
  std::unique_ptr<PrinterHold> HoldPrinter(std::string_view ansi_name) override;
  std::unique_ptr<UnsavedWrites> UnsavedWritesOf(std::string_view ansi_name) override;
  UsbPortOpener& Ports() override;
  uint64_t NowMs() override;
  void Sleep(uint32_t ms) override;
  const AnsiCodec& Codec() override { return codec_; }
  std::optional<std::string> ReadFile(const std::string& path, size_t limit) override;
  bool WriteFile(const std::string& path, const std::string& content) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::string> ReadInput(size_t limit) override;
  std::string LocalDateTime() override;
  void Out(std::string_view text) override;
  void Err(std::string_view text) override;

 private:
  AnsiCodePageCodec codec_;
};

// The command line as UTF-8, without the program.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);

}  // namespace velmo
