#include "usb_locator.h"

#include <gtest/gtest.h>

#include "fake_device_enumeration.h"

namespace velmo {
namespace {

using namespace std::string_literals;

constexpr char kQueueId[] = "{A1B2C3D4-E5F6-a7b8-C9D0-E1F2A3B4C5D6}";
const std::u16string kDeviceId = u"{A1B2C3D4-E5F6-A7B8-C9D0-E1F2A3B4C5D6}";

TEST(UsbLocator, ContainerIdTextFromThePlatformLayout) {
  const ContainerId id = {0xD4, 0xC3, 0xB2, 0xA1, 0xF6, 0xE5, 0xB8, 0xA7,
                          0xC9, 0xD0, 0xE1, 0xF2, 0xA3, 0xB4, 0xC5, 0xD6};
  EXPECT_EQ(ContainerIdText(id), kQueueId);
  EXPECT_EQ(ContainerIdText(ContainerId{}), "{00000000-0000-0000-0000-000000000000}");
}

TEST(UsbLocator, KeyPathHoldsNamesUpTo199Bytes) {
  EXPECT_EQ(QueuePnPDataKey("Velmo LT42"), "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Velmo LT42\\PnPData");
  EXPECT_EQ(QueuePnPDataKey(std::string(199, 'n'))->size(), 255u);
  EXPECT_FALSE(QueuePnPDataKey(std::string(200, 'n')));
}

class UsbLocatorWalk : public ::testing::Test {
 protected:
  std::string Find() {
    const std::string path = FindUsbDeviceByContainerId(devices, kQueueId);
    EXPECT_EQ(devices.open_sets, 0) << "the set is released";
    return path;
  }
  FakeDevice Printer(std::string path) { return {.path = std::move(path), .container_id = kDeviceId}; }
  FakeDeviceEnumeration devices;
};

TEST_F(UsbLocatorWalk, MatchesContainerIdInAnyCaseAndTheFirstWins) {
  devices.devices = {{.path = "other", .container_id = u"{00000000-0000-0000-0000-000000000000}"},
                     Printer("first"), Printer("second")};
  EXPECT_EQ(Find(), "first");
  devices.devices[1].container_id = u"{a1b2c3d4-e5f6-a7b8-c9d0-e1f2a3b4c5d6}";
  EXPECT_EQ(Find(), "first");
  EXPECT_EQ(FindUsbDeviceByContainerId(devices, "{A1B2C3D4-E5F6-A7B8-C9D0-E1F2A3B4C5D}"), "");
}

TEST_F(UsbLocatorWalk, OnlyAFirstCompatibleIdWithUsbAndClass07Qualifies) {
  devices.devices = {Printer("hub"), Printer("late"), Printer("lower")};
  devices.devices[0].compatible_ids = "USB\\Class_09\0USB\\Class_07\0"s;
  devices.devices[1].compatible_ids = "HID\\Class_07\0"s;
  devices.devices[2].compatible_ids = "usb\\class_07&subclass_01\0"s;
  EXPECT_EQ(Find(), "lower");
}

TEST_F(UsbLocatorWalk, EveryPropertyReadMustSucceed) {
  FakeDevice no_instance = Printer("a"), no_paths = Printer("b"), no_information = Printer("c"),
             no_interface = Printer("d");
  no_instance.has_instance_id = false;
  no_paths.has_location_paths = false;
  no_information.has_location_information = false;
  no_interface.has_interface = false;
  devices.devices = {no_instance, no_paths, no_information, no_interface};
  EXPECT_EQ(Find(), "");
  devices.devices.push_back(Printer("e"));
  EXPECT_EQ(Find(), "e");
}

TEST_F(UsbLocatorWalk, UnpluggedPrinterIsGoneAtTheNextCall) {
  devices.devices = {Printer("p")};
  EXPECT_EQ(Find(), "p");
  devices.devices.clear();
  EXPECT_EQ(Find(), "");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

TEST(DeviceTag, OneTagForOnePrinterInAnyCase) {
  const std::string tag = DeviceTag("{6A2E21C4-9F2D-11ef-8D4B-0800200C9A66}");
  EXPECT_EQ(tag.size(), 16u);
  EXPECT_EQ(tag.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_EQ(tag, DeviceTag("{6a2e21c4-9f2d-11EF-8d4b-0800200c9a66}"));
  EXPECT_NE(tag, DeviceTag("{6A2E21C4-9F2D-11ef-8D4B-0800200C9A67}"));
}

}  // namespace
}  // namespace velmo
