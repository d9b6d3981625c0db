#pragma once
// Devices for locator tests: each present device with the properties it
// reports; a missing property is a read that fails.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device_enumeration.h"

namespace velmo {

// What a USB printer reports: printer class in the first entry and again later.
inline constexpr char kUsbPrinterCompatibleIds[] = "USB\\Class_07&SubClass_01\0USB\\Class_07\0";

struct FakeDevice {
  std::string path;
  std::string compatible_ids{kUsbPrinterCompatibleIds, sizeof kUsbPrinterCompatibleIds - 1};
  std::u16string container_id;
  bool has_instance_id = true;
  bool has_location_paths = true;
  bool has_location_information = true;
  bool has_interface = true;
};

class FakeDeviceEnumeration : public DeviceEnumeration {
 public:
  std::unique_ptr<DeviceSet> PresentUsbInterfaceDevices() override;
  std::vector<FakeDevice> devices;
  int open_sets = 0;  // sets handed out and not yet released
};

}  // namespace velmo
