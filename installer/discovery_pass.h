#pragma once
// The slow half of a discovery pass, which runs off the window's thread: the
// device console tool's status of every brand word and the look-up of the
// local host's addresses. The window's thread applies what it found.
#include <exception>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "network_discovery.h"
#include "usb_scan.h"

namespace velmo {

// The device console tool with `arguments`, as DevconRunner; a run still
// going when `stop` is requested is ended at once.
using StoppableDevconRunner =
    std::function<int(const std::string& arguments, std::string& output, const std::stop_token& stop)>;

// The local host's IPv4 addresses; nothing when they cannot be had.
using HostAddressLookup = std::function<std::optional<std::vector<Ipv4Address>>()>;

// What one pass asks of the outside, fixed when it starts.
struct PassSearch {
  StoppableDevconRunner devcon;
  HostAddressLookup hostAddresses;
  std::vector<std::string> brandWords;
  bool searchUsb = false;  // full mode
};

struct PassFindings {
  std::optional<UsbSearch> usb;  // when the USB printers were searched
  std::optional<std::vector<Ipv4Address>> hostAddresses;
  // What the pass threw, for the window's thread to report as its own.
  std::exception_ptr error;
};

// The USB search (when asked for), then the host's addresses. A pass told
// to stop asks for nothing more; what it found by then is to be dropped.
PassFindings FindPrinters(const PassSearch& search, const std::stop_token& stop);

}  // namespace velmo
