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
// (empty when it could not start). Returns its exit code, -1, or
// kDevconNotBuilt.
using DevconRunner = std::function<int(const std::string& arguments, std::string& output)>;

// The tool's command line could not be built (the program's folder is too
// long for it): nothing ran, and no search can run from this folder.
constexpr int kDevconNotBuilt = -3;

// The instance IDs and names that "status <pattern>" reports; both lists are
// replaced. Returns what the runner returned.
int DevconStatus(const DevconRunner& devcon, const std::string& pattern, TextList& ids, TextList& names);

struct UsbSearch {
  UsbDevices devices;
  bool notBuilt = false;  // the tool could not be run at all: the devices are unknown
};

// One status per brand word, in order, the devices of all of them in one
// list. Once `stop` is requested, or the tool's command line cannot be
// built, no further status is asked for.
UsbSearch SearchUsbDevices(const DevconRunner& devcon, const std::vector<std::string>& brandWords,
                           const std::stop_token& stop);

// `ids` and `names` become the devices found, and the USB rows follow them.
void FollowUsbSearch(const UsbDevices& found, TextList& ids, TextList& names, FoundPrinters& rows);

}  // namespace velmo
