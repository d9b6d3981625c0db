#include "found_printers.h"

#include <algorithm>

#include "devcon_status.h"

namespace velmo {

bool IsUsbRow(const PrinterRow& row) { return row.key.find("USB") != std::string::npos; }

bool FoundPrinters::Listed(const std::string& key) const {
  return std::ranges::any_of(rows_, [&](const PrinterRow& row) { return row.key == key; });
}

void FoundPrinters::Append(PrinterRow row) {
  rows_.push_back(std::move(row));
  view_.RowAppended(rows_.back());
}

void FoundPrinters::FollowUsbDevices(const TextList& ids, const TextList& names) {
  for (std::size_t i = 0; i < ids.Count(); ++i) {
    if (Listed(ids[i])) continue;
    Append({i < names.Count() ? names[i] : ids[i], PortOfDeviceId(ids[i]), ids[i]});
  }
  const auto plugged = [&](const std::string& key) {
    return std::ranges::find(ids.Items(), key) != ids.Items().end();
  };
  // From the end, so the indexes of the rows still to look at stay valid.
  for (std::size_t i = rows_.size(); i-- > 0;) {
    if (!IsUsbRow(rows_[i]) || plugged(rows_[i].key)) continue;
    rows_.erase(rows_.begin() + std::ptrdiff_t(i));
    view_.RowRemoved(i);
  }
}

void FoundPrinters::AddNetworkPrinter(const std::string& model, const std::string& address) {
  if (!Listed(address)) Append({model, address, address});
}

}  // namespace velmo
