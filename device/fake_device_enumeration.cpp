#include "fake_device_enumeration.h"

namespace velmo {
namespace {

class FakeDeviceSet : public DeviceSet {
 public:
  explicit FakeDeviceSet(FakeDeviceEnumeration& owner) : owner_(owner) { ++owner_.open_sets; }
  ~FakeDeviceSet() override { --owner_.open_sets; }

  bool HasDevice(size_t index) override { return index < owner_.devices.size(); }
  bool ReadInstanceId(size_t index) override { return owner_.devices.at(index).has_instance_id; }

  std::optional<std::vector<uint8_t>> ReadProperty(size_t index, DeviceProperty property) override {
    const FakeDevice& device = owner_.devices.at(index);
    switch (property) {
      case DeviceProperty::kLocationPaths:
        return Present(device.has_location_paths);
      case DeviceProperty::kLocationInformation:
        return Present(device.has_location_information);
      case DeviceProperty::kCompatibleIds:
        return std::vector<uint8_t>(device.compatible_ids.begin(), device.compatible_ids.end());
      case DeviceProperty::kBaseContainerId: {
        std::vector<uint8_t> bytes;
        for (char16_t unit : device.container_id) {
          bytes.push_back(static_cast<uint8_t>(unit));
          bytes.push_back(static_cast<uint8_t>(unit >> 8));
        }
        bytes.insert(bytes.end(), {0, 0});
        return bytes;
      }
    }
    return std::nullopt;
  }

  std::optional<std::string> ReadInterfacePath(size_t index) override {
    const FakeDevice& device = owner_.devices.at(index);
    if (!device.has_interface) return std::nullopt;
    return device.path;
  }

 private:
  static std::optional<std::vector<uint8_t>> Present(bool present) {
    if (!present) return std::nullopt;
    return std::vector<uint8_t>{'x', 0};
  }
  FakeDeviceEnumeration& owner_;
};

}  // namespace

std::unique_ptr<DeviceSet> FakeDeviceEnumeration::PresentUsbInterfaceDevices() {
  return std::make_unique<FakeDeviceSet>(*this);
}

}  // namespace velmo
