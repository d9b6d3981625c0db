// Form1's discovery: a pass on the timer, its slow work on a thread of its
// own, the replies of network printers, and the rows of the found-printers
// list.
#include "discovery_adapters_win.h"
#include "english_mode.h"
#include "error_box_win.h"
#include "form1_win.h"
#include "installer_state.h"
#include "text_win.h"
#include "translation.h"
#include "usb_scan.h"

namespace velmo {

void TForm1::StartDiscovery() {
  IdUDPServer1 = std::make_unique<UdpEndpoint>([this](const std::string& datagram) { IdUDPServer1UDPRead(datagram); });
  listRows_ = std::make_unique<ListViewRows>(*ListView1);
  rows_ = std::make_unique<FoundPrinters>(*listRows_);
  network_ = std::make_unique<EndpointNetwork>(*IdUDPServer1);
  HWND window = Handle();
  passes_ = std::make_unique<DiscoveryPasses>([window] { PostMessageW(window, kPassFinished, 0, 0); });
  passes_->Start(PassWork());
  passes_->Wait([this](const PassFindings& findings) { ApplyFindings(findings); });
}

TextList TForm1::CatalogueModels() const {
  TextList models;
  for (int i = 0; i < ComboBoxDriverNames->ItemCount(); ++i) models.Add(NarrowToUtf8(ComboBoxDriverNames->ItemText(i)));
  return models;
}

DiscoveryPasses::Work TForm1::PassWork() const {
  const PassSearch search{peers_.devcon, peers_.hostAddresses, BrandWords.Items(), UsbInstallEnabled == 1};
  return [search](const std::stop_token& stop) { return FindPrinters(search, stop); };
}

void TForm1::ApplyFindings(const PassFindings& findings) {
  if (findings.error) std::rethrow_exception(findings.error);
  if (findings.usb) {
    FollowUsbSearch(findings.usb->devices, UsbDeviceIds, UsbDeviceNames, *rows_);
    if (findings.usb->notBuilt && !usbSearchNotRunTold_) {
      usbSearchNotRunTold_ = true;
      PostMessageW(Handle(), kUsbSearchNotRun, 0, 0);
    }
  }
  SendDiscoveryQueries(*network_, findings.hostAddresses);
}

void TForm1::ApplyFindingsOrShowError(const PassFindings& findings) {
  // Shown while the pass is still in flight: a lasting socket error does not
  // stack a new box every 2 seconds.
  toolkit::Guarded([&] { ApplyFindings(findings); });
}

void TForm1::ShowUsbSearchNotRun() {
  toolkit::ShowMessageBox(Handle(),
                          TranslatedText(QindleTranslationTable(), L"Form1",
                                         L"无法搜索 USB 打印机：程序所在文件夹的路径太长，设备控制台工具的命令行容纳不下。",
                                         IsEnglish()),
                          Caption(), MB_OK | MB_ICONWARNING);
}

void TForm1::Timer1Timer(toolkit::Component&) { passes_->Start(PassWork()); }

void TForm1::EndDiscovery() {
  Timer1->SetEnabled(false);
  passes_->End();
  passes_->Wait([this](const PassFindings& findings) { ApplyFindingsOrShowError(findings); });
}

void TForm1::IdUDPServer1UDPRead(const std::string& datagram) {
  OfferToAddressCheck(datagram);
  if (const std::optional<DiscoveryReply> reply = ReadDiscoveryReply(datagram, CatalogueModels().Items()))
    rows_->AddNetworkPrinter(reply->model, reply->address);
}

}  // namespace velmo
