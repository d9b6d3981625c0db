#pragma once
// The USB half of a discovery pass: the device console tool's status of every
// printer of the catalogue's brands, and the USB rows that follow it.
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "devcon_status.h"
#include "found_printers.h"
#include "text_list.h"

namespace velmo {

// Runs the device console tool with `arguments` and captures what it prints
// (empty when it could not start). Returns its exit code, or -1.
using DevconRunner = std::function<int(const std::string& arguments, std::string& output)>;

// The instance IDs and names that "status <pattern>" reports; both lists are
// replaced.
void DevconStatus(const DevconRunner& devcon, const std::string& pattern, TextList& ids, TextList& names);

// One status per brand word, in order, the devices of all of them in one
// list. Once `stop` is requested no further status is asked for.
UsbDevices SearchUsbDevices(const DevconRunner& devcon, const std::vector<std::string>& brandWords,
                            const std::stop_token& stop);

// `ids` and `names` become the devices found, and the USB rows follow them.
void FollowUsbSearch(const UsbDevices& found, TextList& ids, TextList& names, FoundPrinters& rows);

}  // namespace velmo
