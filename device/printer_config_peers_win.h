#pragma once
// What frmPrinterConfig reaches outside itself: the printer's name, the USB
// ports, the presence test, the refusal message box, the profile file
// dialogs, the printer's lock and its record of unsaved writes, and the
// clock. The product uses the
// real ones; tests put the printer emulator and a recorder in their place.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "printer_apply.h"
#include "printer_hold.h"
#include "usb_port.h"

namespace velmo {

class PrinterConfigPeers {
 public:
  virtual ~PrinterConfigPeers() = default;
  virtual std::string PrinterName() = 0;  // ANSI code page
  virtual UsbPortOpener& Ports() = 0;
  virtual bool IsPrinterPresent(std::string_view printer_name) = 0;
  virtual void ShowRefusal(HWND owner, const std::wstring& text) = 0;
  // The file the user picks to export to or import from; nothing when cancelled.
  virtual std::optional<std::wstring> ChooseProfileFile(HWND owner, bool to_save) = 0;
  // Keeps velmocfg and other dialogs off the printer; nothing when another
  // program still holds it after `wait_ms`.
  virtual std::unique_ptr<PrinterHold> HoldPrinter(std::string_view printer_name, unsigned wait_ms) = 0;
  virtual std::unique_ptr<UnsavedWrites> UnsavedWritesOf(std::string_view printer_name) = 0;
  // The clock and pause of the short wait for a printer that dropped off.
  virtual uint64_t NowMs() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

PrinterConfigPeers& CurrentPrinterConfigPeers();
// The queue the real peers serve; the program sets it from its command line.
void SetPrinterConfigPrinterName(std::string printer_name);
// Null puts the real peers back.
void ReplacePrinterConfigPeers(PrinterConfigPeers* peers);

}  // namespace velmo
