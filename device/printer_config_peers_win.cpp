#include "printer_config_peers_win.h"

#include "english_mode.h"
#include "usb_locator_win.h"
#include "usb_port_win.h"

namespace velmo {
namespace {

class RealPeers : public PrinterConfigPeers {
 public:
  std::string PrinterName() override { return printer_name; }
  UsbPortOpener& Ports() override { return UsbPrinterPorts(); }
  bool IsPrinterPresent(std::string_view printer_name) override { return IsUsbPrinterPresent(printer_name); }
  void ShowRefusal(HWND owner, const std::wstring& text) override {
    MessageBoxW(owner, text.c_str(), IsEnglish() ? L"PrinterConfig" : L"打印机设置", MB_OK | MB_ICONWARNING);
  }

  std::string printer_name;
};

RealPeers real_peers;
PrinterConfigPeers* current = &real_peers;

}  // namespace

PrinterConfigPeers& CurrentPrinterConfigPeers() { return *current; }
void SetPrinterConfigPrinterName(std::string printer_name) { real_peers.printer_name = std::move(printer_name); }
void ReplacePrinterConfigPeers(PrinterConfigPeers* peers) { current = peers ? peers : &real_peers; }

}  // namespace velmo
