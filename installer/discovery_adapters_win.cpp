#include "discovery_adapters_win.h"

#include "text_win.h"

namespace velmo {

void ListViewRows::RowAppended(const PrinterRow& row) {
  list_.AddItem(WidenUtf8(row.caption), {WidenUtf8(row.port)});
}

void ListViewRows::RowRemoved(std::size_t index) { list_.DeleteItem(int(index)); }

void EndpointNetwork::SendQuery(const std::string& address) {
  endpoint_.SetBroadcastEnabled(true);
  endpoint_.Activate();
  endpoint_.Send(address, kDiscoveryPort, kDiscoveryQuery);
}

}  // namespace velmo
