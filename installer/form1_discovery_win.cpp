// Form1's discovery: a pass on the timer, the replies of network printers,
// and the rows of the found-printers list.
#include "ansi_text_win.h"
#include "error_box_win.h"
#include "discovery_adapters_win.h"
#include "form1_win.h"
#include "installer_state.h"

namespace velmo {

void TForm1::StartDiscovery() {
  IdUDPServer1 = std::make_unique<UdpEndpoint>([this](const std::string& datagram) { IdUDPServer1UDPRead(datagram); });
  listRows_ = std::make_unique<ListViewRows>(*ListView1);
  rows_ = std::make_unique<FoundPrinters>(*listRows_);
  network_ = std::make_unique<EndpointNetwork>(peers_, *IdUDPServer1);
  DiscoveryPass();
}

TextList TForm1::CatalogueModels() const {
  TextList models;
  for (int i = 0; i < ComboBoxDriverNames->ItemCount(); ++i) models.Add(NarrowToAnsi(ComboBoxDriverNames->ItemText(i)));
  return models;
}

void TForm1::DiscoveryPass() {
  if (UsbInstallEnabled == 1) ScanUsbPrinters(peers_.devcon, BrandWords, UsbDeviceIds, UsbDeviceNames, *rows_);
  ScanNetworkPrinters(*network_);
}

void TForm1::Timer1Timer(toolkit::Component&) {
  // The error box runs the message loop, timer included: without this a
  // lasting socket error would stack a new box every 2 seconds.
  if (passRunning_) return;
  passRunning_ = true;
  toolkit::Guarded([this] { DiscoveryPass(); });
  passRunning_ = false;
}

void TForm1::IdUDPServer1UDPRead(const std::string& datagram) {
  OfferToAddressCheck(datagram);
  if (const std::optional<DiscoveryReply> reply = ReadDiscoveryReply(datagram, CatalogueModels().Items()))
    rows_->AddNetworkPrinter(reply->model, reply->address);
}

}  // namespace velmo
