#include "usb_scan.h"

namespace velmo {

void DevconStatus(const DevconRunner& devcon, const std::string& pattern, TextList& ids, TextList& names) {
  std::string output;
  devcon("status " + pattern, output);
  if (output.size() > kMaxCapturedOutput) output.resize(kMaxCapturedOutput);
  const UsbDevices found = ParseDevconStatus(output, pattern);
  ids.Clear();
  names.Clear();
  for (const std::string& id : found.ids) ids.Add(id);
  for (const std::string& name : found.names) names.Add(name);
}

UsbDevices SearchUsbDevices(const DevconRunner& devcon, const std::vector<std::string>& brandWords,
                            const std::stop_token& stop) {
  UsbDevices found;
  for (const std::string& brand : brandWords) {
    if (stop.stop_requested()) break;
    const std::optional<std::string> pattern = UsbSearchPattern(brand);
    if (!pattern) continue;
    TextList ids, names;
    DevconStatus(devcon, *pattern, ids, names);
    found.ids.insert(found.ids.end(), ids.Items().begin(), ids.Items().end());
    found.names.insert(found.names.end(), names.Items().begin(), names.Items().end());
  }
  return found;
}

void FollowUsbSearch(const UsbDevices& found, TextList& ids, TextList& names, FoundPrinters& rows) {
  ids.Clear();
  names.Clear();
  for (const std::string& id : found.ids) ids.Add(id);
  for (const std::string& name : found.names) names.Add(name);
  rows.FollowUsbDevices(ids, names);
}

}  // namespace velmo
