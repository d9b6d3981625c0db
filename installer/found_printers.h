#pragma once
// The rows of the found-printers list: USB printers follow the latest device
// search, network printers stay once they have answered.
#include <cstddef>
#include <string>
#include <vector>

#include "text_list.h"

namespace velmo {

struct PrinterRow {
  std::string caption;  // column "Name"
  std::string port;     // column "Port": a USB port name or an IP address
  std::string key;      // not shown: the device instance ID or the IP address
};

// Rows whose key holds "USB" (exact case) are USB rows.
bool IsUsbRow(const PrinterRow& row);

// The list on screen, told of every change in the order it happens.
class PrinterRowsView {
 public:
  virtual ~PrinterRowsView() = default;
  virtual void RowAppended(const PrinterRow& row) = 0;
  virtual void RowRemoved(std::size_t index) = 0;
};

class FoundPrinters {
 public:
  explicit FoundPrinters(PrinterRowsView& view) : view_(view) {}

  // Appends a row for every ID no row has as its key yet, then removes every
  // USB row whose key is none of the IDs, all of them in this one call.
  void FollowUsbDevices(const TextList& ids, const TextList& names);
  // Appends the printer unless a row has its address as key already.
  void AddNetworkPrinter(const std::string& model, const std::string& address);

  const std::vector<PrinterRow>& Rows() const { return rows_; }

 private:
  bool Listed(const std::string& key) const;
  void Append(PrinterRow row);

  PrinterRowsView& view_;
  std::vector<PrinterRow> rows_;
};

}  // namespace velmo
