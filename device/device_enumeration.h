#pragma once
// The present devices that expose the USB device interface class, as the
// printer locator walks them. The Win32 implementation asks SetupAPI.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmo {

enum class DeviceProperty { kLocationPaths, kLocationInformation, kCompatibleIds, kBaseContainerId };

// Buffer each read fits into; a longer value counts as a failed read.
inline constexpr size_t kDeviceTextCapacity = 1024;
inline constexpr size_t kContainerIdCapacity = 2048;

class DeviceSet {
 public:
  virtual ~DeviceSet() = default;  // releases the set
  virtual bool HasDevice(size_t index) = 0;
  virtual bool ReadInstanceId(size_t index) = 0;
  // The property's raw bytes: 8-bit strings, except the base container ID,
  // which is UTF-16 (little-endian) text.
  virtual std::optional<std::vector<uint8_t>> ReadProperty(size_t index, DeviceProperty property) = 0;
  // The 8-bit device path of interface `index` of the class.
  virtual std::optional<std::string> ReadInterfacePath(size_t index) = 0;
};

class DeviceEnumeration {
 public:
  virtual ~DeviceEnumeration() = default;
  // Nothing when the set cannot be had.
  virtual std::unique_ptr<DeviceSet> PresentUsbInterfaceDevices() = 0;
};

}  // namespace velmo
