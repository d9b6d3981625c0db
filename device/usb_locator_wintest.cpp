// The locator against the real registry (the queue's key written into Wine's)
// and a fake device enumeration.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fake_device_enumeration.h"
#include "usb_locator.h"
#include "usb_locator_win.h"

namespace velmo {
namespace {

constexpr char kPrinter[] = "Velmo Locator Test";
constexpr BYTE kStoredId[16] = {0xD4, 0xC3, 0xB2, 0xA1, 0xF6, 0xE5, 0xB8, 0xA7,
                                0xC9, 0xD0, 0xE1, 0xF2, 0xA3, 0xB4, 0xC5, 0xD6};

class UsbLocatorRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    devices.devices = {{.path = "\\\\?\\usb#vid_1234&pid_5678#lt42", .container_id = u"{A1B2C3D4-E5F6-A7B8-C9D0-E1F2A3B4C5D6}"}};
  }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, PrinterKey().c_str()); }

  static std::string PrinterKey() { return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\") + kPrinter; }

  static void WriteContainerId(const BYTE* bytes, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (PrinterKey() + "\\PnPData").c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (bytes) {
      EXPECT_EQ(RegSetValueExA(key, "DeviceContainerId", 0, REG_BINARY, bytes, size), ERROR_SUCCESS);
    }
    RegCloseKey(key);
  }

  FakeDeviceEnumeration devices;
};

TEST_F(UsbLocatorRegistry, QueueContainerIdFindsItsDevice) {
  BYTE long_value[40] = {};
  std::copy(std::begin(kStoredId), std::end(kStoredId), long_value);
  WriteContainerId(long_value, sizeof long_value);
  EXPECT_EQ(GetUsbPrinterPath(kPrinter, devices), devices.devices[0].path);
  devices.devices[0].compatible_ids = std::string("USB\\Class_03", 13);
  EXPECT_EQ(GetUsbPrinterPath(kPrinter, devices), "");
}

TEST_F(UsbLocatorRegistry, MissingOrShortValueMeansAbsent) {
  EXPECT_EQ(GetUsbPrinterPath(kPrinter, devices), "") << "no PnPData key";
  WriteContainerId(nullptr, 0);
  EXPECT_EQ(GetUsbPrinterPath(kPrinter, devices), "") << "no DeviceContainerId value";
  WriteContainerId(kStoredId, 15);
  EXPECT_EQ(GetUsbPrinterPath(kPrinter, devices), "") << "shorter than a GUID";
}

TEST_F(UsbLocatorRegistry, NameTooLongForTheKeyPathMeansAbsent) {
  EXPECT_EQ(GetUsbPrinterPath(std::string(200, 'n'), devices), "");
  EXPECT_EQ(devices.open_sets, 0);
}

// Wine has no USB printer: SetupAPI's walk finds nothing, and no queue has a key.
TEST(UsbLocatorSetupApi, NoPrinterUnderWine) {
  EXPECT_EQ(FindUsbDeviceByContainerId("{A1B2C3D4-E5F6-a7b8-C9D0-E1F2A3B4C5D6}"), "");
  EXPECT_FALSE(IsUsbPrinterPresent("Velmo LT42"));
}

}  // namespace
}  // namespace velmo
