#include "discovery_pass.h"

#include "usb_scan.h"

namespace velmo {

PassFindings FindPrinters(const PassSearch& search, const std::stop_token& stop) {
  PassFindings findings;
  if (search.searchUsb) {
    const DevconRunner devcon = [&](const std::string& arguments, std::string& output) {
      return search.devcon(arguments, output, stop);
    };
    findings.usb = SearchUsbDevices(devcon, search.brandWords, stop);
  }
  if (!stop.stop_requested()) findings.hostAddresses = search.hostAddresses();
  return findings;
}

}  // namespace velmo
