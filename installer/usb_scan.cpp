#include "usb_scan.h"

#include "devcon_status.h"

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

void ScanUsbPrinters(const DevconRunner& devcon, const TextList& brandWords, TextList& ids, TextList& names,
                     FoundPrinters& rows) {
  ids.Clear();
  names.Clear();
  for (const std::string& brand : brandWords.Items()) {
    const std::optional<std::string> pattern = UsbSearchPattern(brand);
    if (!pattern) continue;
    TextList brandIds, brandNames;
    DevconStatus(devcon, *pattern, brandIds, brandNames);
    for (const std::string& id : brandIds.Items()) ids.Add(id);
    for (const std::string& name : brandNames.Items()) names.Add(name);
  }
  rows.FollowUsbDevices(ids, names);
}

}  // namespace velmo
