#include "usb_scan.h"

namespace velmo {

int DevconStatus(const DevconRunner& devcon, const std::string& pattern, TextList& ids, TextList& names) {
  std::string output;
  const int code = devcon("status " + pattern, output);
  if (output.size() > kMaxCapturedOutput) output.resize(kMaxCapturedOutput);
  const UsbDevices found = ParseDevconStatus(output, pattern);
  ids.Clear();
  names.Clear();
  for (const std::string& id : found.ids) ids.Add(id);
  for (const std::string& name : found.names) names.Add(name);
  return code;
}

UsbSearch SearchUsbDevices(const DevconRunner& devcon, const std::vector<std::string>& brandWords,
                           const std::stop_token& stop) {
  UsbSearch search;
  UsbDevices& found = search.devices;
  for (const std::string& brand : brandWords) {
    if (stop.stop_requested()) break;
    const std::optional<std::string> pattern = UsbSearchPattern(brand);
    if (!pattern) continue;
    TextList ids, names;
    if (DevconStatus(devcon, *pattern, ids, names) == kDevconNotBuilt) {
      search.notBuilt = true;
      break;
    }
    found.ids.insert(found.ids.end(), ids.Items().begin(), ids.Items().end());
    found.names.insert(found.names.end(), names.Items().begin(), names.Items().end());
  }
  return search;
}

void FollowUsbSearch(const UsbDevices& found, TextList& ids, TextList& names, FoundPrinters& rows) {
  ids.Clear();
  names.Clear();
  for (const std::string& id : found.ids) ids.Add(id);
  for (const std::string& name : found.names) names.Add(name);
  rows.FollowUsbDevices(ids, names);
}

}  // namespace velmo
