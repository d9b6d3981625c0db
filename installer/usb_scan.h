#pragma once
// The USB half of a discovery pass: the device console tool's status of every
// printer of the catalogue's brands, and the USB rows that follow it.
#include <functional>
#include <string>

#include "found_printers.h"
#include "text_list.h"

namespace velmo {

// Runs the device console tool with `arguments` and captures what it prints
// (empty when it could not start). Returns its exit code, or -1.
using DevconRunner = std::function<int(const std::string& arguments, std::string& output)>;

// The instance IDs and names that "status <pattern>" reports; both lists are
// replaced.
void DevconStatus(const DevconRunner& devcon, const std::string& pattern, TextList& ids, TextList& names);

// Refills `ids` and `names` from one status per brand word, in order, and
// brings the USB rows in line with them.
void ScanUsbPrinters(const DevconRunner& devcon, const TextList& brandWords, TextList& ids, TextList& names,
                     FoundPrinters& rows);

}  // namespace velmo
