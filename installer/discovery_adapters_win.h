#pragma once
// What discovery needs of the window: a list view that shows the found
// printers' rows, and queries sent through the UDP endpoint.
#include "found_printers.h"
#include "installer_peers_win.h"
#include "network_discovery.h"
#include "toolkit_win.h"
#include "udp_endpoint_win.h"

namespace velmo {

// Shows each row's caption and port; the keys stay with FoundPrinters.
class ListViewRows : public PrinterRowsView {
 public:
  explicit ListViewRows(toolkit::ListView& list) : list_(list) {}
  void RowAppended(const PrinterRow& row) override;
  void RowRemoved(std::size_t index) override;

 private:
  toolkit::ListView& list_;
};

// Sends through the endpoint, which binds and allows broadcast on the first.
class EndpointNetwork : public DiscoveryNetwork {
 public:
  EndpointNetwork(const InstallerPeers& peers, UdpEndpoint& endpoint) : peers_(peers), endpoint_(endpoint) {}
  std::optional<std::vector<Ipv4Address>> HostAddresses() override { return peers_.hostAddresses(); }
  void SendQuery(const std::string& address) override;

 private:
  const InstallerPeers& peers_;
  UdpEndpoint& endpoint_;
};

}  // namespace velmo
