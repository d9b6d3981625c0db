#include "printer_config_peers_win.h"

#include <commdlg.h>

#include <cwchar>

#include "english_mode.h"
#include "printer_hold_win.h"
#include "unsaved_writes_win.h"
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
  std::optional<std::wstring> ChooseProfileFile(HWND owner, bool to_save) override {
    static const wchar_t kEnglishFilter[] = L"Printer profiles (*.profile;*.txt)\0*.profile;*.txt\0All files\0*.*\0";
    static const wchar_t kChineseFilter[] = L"打印机配置文件 (*.profile;*.txt)\0*.profile;*.txt\0所有文件\0*.*\0";
    wchar_t path[MAX_PATH] = L"";
    if (to_save) wcscpy_s(path, L"printer.profile");
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = IsEnglish() ? kEnglishFilter : kChineseFilter;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrDefExt = L"profile";
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                    (to_save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    const BOOL chosen = to_save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    if (!chosen) return std::nullopt;
    return std::wstring(path);
  }
  std::unique_ptr<PrinterHold> HoldPrinter(std::string_view name, unsigned wait_ms) override {
    return HoldPrinterDevice(name, wait_ms);
  }
  std::unique_ptr<UnsavedWrites> UnsavedWritesOf(std::string_view name) override { return UnsavedWritesFile(name); }
  uint64_t NowMs() override { return GetTickCount64(); }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }

  std::string printer_name;
};

RealPeers real_peers;
PrinterConfigPeers* current = &real_peers;

}  // namespace

PrinterConfigPeers& CurrentPrinterConfigPeers() { return *current; }
void SetPrinterConfigPrinterName(std::string printer_name) { real_peers.printer_name = std::move(printer_name); }
void ReplacePrinterConfigPeers(PrinterConfigPeers* peers) { current = peers ? peers : &real_peers; }

}  // namespace velmo
