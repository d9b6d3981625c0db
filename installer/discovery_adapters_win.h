#pragma once
// What discovery needs of the window: a list view that shows the found
// printers' rows, and queries sent through the UDP endpoint.
#include "found_printers.h"
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
  explicit EndpointNetwork(UdpEndpoint& endpoint) : endpoint_(endpoint) {}
  void SendQuery(const std::string& address) override;

 private:
  UdpEndpoint& endpoint_;
};

}  // namespace velmo
