#include "setupapi_devices_win.h"

#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace velmo {
namespace {

// SPDRP_BASE_CONTAINERID, which MinGW's setupapi.h does not define.
constexpr DWORD kBaseContainerIdProperty = 0x24;

// SetupAPI checks each record's size field against its own layout: on
// 32-bit Windows the records are packed (device and interface records of
// 28 bytes, a detail record whose fixed part is 5), on 64-bit Windows they
// are naturally aligned (32, 32 and 8). Both builds set sizeof, which these
// checks tie to the layouts the system expects.
constexpr bool kPointers32 = sizeof(void*) == 4;
static_assert(sizeof(SP_DEVINFO_DATA) == (kPointers32 ? 28 : 32));
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == (kPointers32 ? 28 : 32));
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == (kPointers32 ? 5 : 8));
static_assert(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) == 4);
static_assert(sizeof(GUID) == 16);

// {A5DCBF10-6530-11D2-901F-00C04FB951ED}
constexpr GUID kUsbDeviceInterfaceClass = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

class SetupApiDeviceSet : public DeviceSet {
 public:
  explicit SetupApiDeviceSet(HDEVINFO set) : set_(set) {}
  ~SetupApiDeviceSet() override { SetupDiDestroyDeviceInfoList(set_); }

  bool HasDevice(size_t index) override {
    device_ = {};
    device_.cbSize = sizeof device_;
    has_device_ = SetupDiEnumDeviceInfo(set_, static_cast<DWORD>(index), &device_);
    device_index_ = index;
    return has_device_;
  }

  bool ReadInstanceId(size_t index) override {
    if (!Select(index)) return false;
    std::array<char, kDeviceTextCapacity> id{};
    return SetupDiGetDeviceInstanceIdA(set_, &device_, id.data(), id.size(), nullptr);
  }

  std::optional<std::vector<uint8_t>> ReadProperty(size_t index, DeviceProperty property) override {
    if (!Select(index)) return std::nullopt;
    const bool container = property == DeviceProperty::kBaseContainerId;
    std::vector<uint8_t> bytes(container ? kContainerIdCapacity : kDeviceTextCapacity);
    DWORD size = 0;
    // The container ID is read as UTF-16, the form the walk compares.
    const BOOL read =
        container ? SetupDiGetDeviceRegistryPropertyW(set_, &device_, kBaseContainerIdProperty, nullptr, bytes.data(),
                                                      bytes.size(), &size)
                  : SetupDiGetDeviceRegistryPropertyA(set_, &device_, PropertyCode(property), nullptr, bytes.data(),
                                                      bytes.size(), &size);
    if (!read) return std::nullopt;
    bytes.resize(std::min<size_t>(size, bytes.size()));
    return bytes;
  }

  std::optional<std::string> ReadInterfacePath(size_t index) override {
    SP_DEVICE_INTERFACE_DATA interface{};
    interface.cbSize = sizeof interface;
    if (!SetupDiEnumDeviceInterfaces(set_, nullptr, &kUsbDeviceInterfaceClass, static_cast<DWORD>(index),
                                     &interface))
      return std::nullopt;
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailA(set_, &interface, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return std::nullopt;
    auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(GlobalAlloc(GPTR, size));
    if (!detail) return std::nullopt;
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    std::optional<std::string> path;
    if (SetupDiGetDeviceInterfaceDetailA(set_, &interface, detail, size, nullptr, nullptr)) {
      const size_t capacity = size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
      path = std::string(detail->DevicePath, strnlen(detail->DevicePath, capacity));
    }
    GlobalFree(detail);
    return path;
  }

 private:
  static DWORD PropertyCode(DeviceProperty property) {
    switch (property) {
      case DeviceProperty::kLocationPaths:
        return SPDRP_LOCATION_PATHS;
      case DeviceProperty::kLocationInformation:
        return SPDRP_LOCATION_INFORMATION;
      case DeviceProperty::kCompatibleIds:
        return SPDRP_COMPATIBLEIDS;
      case DeviceProperty::kBaseContainerId:
        break;
    }
    return kBaseContainerIdProperty;
  }
  bool Select(size_t index) { return (has_device_ && device_index_ == index) || HasDevice(index); }

  HDEVINFO set_;
  SP_DEVINFO_DATA device_{};
  bool has_device_ = false;
  size_t device_index_ = 0;
};

class SetupApiDeviceEnumeration : public DeviceEnumeration {
 public:
  std::unique_ptr<DeviceSet> PresentUsbInterfaceDevices() override {
    HDEVINFO set = SetupDiGetClassDevsA(&kUsbDeviceInterfaceClass, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<SetupApiDeviceSet>(set);
  }
};

}  // namespace

DeviceEnumeration& SetupApiDevices() {
  static SetupApiDeviceEnumeration devices;
  return devices;
}

}  // namespace velmo
