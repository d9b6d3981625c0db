#include "usb_prn_cmd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "emulated_printer.h"

namespace velmo {
namespace {

using emulator::EmulatedPrinter;
using emulator::PrinterFirmware;
using ::testing::ElementsAre;

class UsbPrnCmdTest : public ::testing::Test {
 protected:
  PrinterFirmware firmware;
  EmulatedPrinter printer{firmware};
  TUsbPrnCmd cmd{"Velmo LT42", printer};
};

TEST_F(UsbPrnCmdTest, ReadsEveryKindOfSetting) {
  int32_t size = -1;
  EXPECT_TRUE(cmd.GetInt("PRINT_DARKNESS_SIZE", &size));
  EXPECT_EQ(size, 15);
  std::string name;
  EXPECT_TRUE(cmd.GetString("BLUETOOTH_NAME", &name));
  EXPECT_EQ(name, "LT42");
  uint8_t mask[4] = {};
  EXPECT_TRUE(cmd.GetBytes("LAN_CONFIG_NETMASK", mask));
  EXPECT_THAT(mask, ElementsAre(255, 255, 255, 0));
  EXPECT_TRUE(cmd.GetInt("PRINT_MODE"));
}

TEST_F(UsbPrnCmdTest, FailedReadsGiveTheirEmptyValue) {
  int32_t value = 7;
  std::string text = "old";
  uint8_t bytes[4] = {1, 2, 3, 4};
  EXPECT_FALSE(cmd.GetInt("NO_SUCH_KEY", &value));
  EXPECT_FALSE(cmd.GetString("NO_SUCH_KEY", &text));
  EXPECT_FALSE(cmd.GetBytes("NO_SUCH_KEY", bytes));
  EXPECT_EQ(value, 0);
  EXPECT_EQ(text, "");
  EXPECT_THAT(bytes, ElementsAre(1, 2, 3, 4));
  printer.plugged = false;
  value = 7;
  EXPECT_FALSE(cmd.GetInt("PRINT_MODE", &value));
  EXPECT_EQ(value, 0);
}

TEST_F(UsbPrnCmdTest, WritesReachThePrinter) {
  EXPECT_TRUE(cmd.SetInt("PRINT_DARKNESS", -3));
  EXPECT_TRUE(cmd.SetString("WIFI_CONFIG_SSID", "home"));
  const uint8_t address[4] = {10, 0, 0, 9};
  EXPECT_TRUE(cmd.SetBytes("WIFI_CONFIG_IPADDRESS", address));
  int32_t darkness = 0;
  std::string ssid;
  uint8_t read_back[4] = {};
  EXPECT_TRUE(cmd.GetInt("PRINT_DARKNESS", &darkness));
  EXPECT_TRUE(cmd.GetString("WIFI_CONFIG_SSID", &ssid));
  EXPECT_TRUE(cmd.GetBytes("WIFI_CONFIG_IPADDRESS", read_back));
  EXPECT_EQ(darkness, -3);
  EXPECT_EQ(ssid, "home");
  EXPECT_THAT(read_back, ElementsAre(10, 0, 0, 9));
  EXPECT_FALSE(cmd.SetInt("NO_SUCH_KEY", 1)) << "the printer's 30 01 reply is a failure";
}

TEST_F(UsbPrnCmdTest, TextThatDoesNotFitAFrameIsRefusedUnsent) {
  const int opens = printer.opens;
  EXPECT_FALSE(cmd.SetString("WIFI_CONFIG_PASSWORD", std::string(97, 'p')));
  EXPECT_EQ(printer.opens, opens);
  EXPECT_TRUE(cmd.SetString("WIFI_CONFIG_PASSWORD", std::string(96, 'p')));
}

TEST_F(UsbPrnCmdTest, SaveRestartAndFactoryReset) {
  EXPECT_TRUE(cmd.SetInt("PRINT_MODE", 2));
  EXPECT_TRUE(cmd.SetString("BLUETOOTH_NAME", "desk"));
  EXPECT_TRUE(cmd.RunSaveCommand("reg_value_save"));
  EXPECT_TRUE(cmd.RunCommand("power_reset"));
  EXPECT_FALSE(cmd.GetInt("PRINT_MODE")) << "the printer is away while it restarts";
  printer.Advance(firmware.restart_ms);

  int32_t mode = 0;
  std::string name;
  EXPECT_TRUE(cmd.GetInt("PRINT_MODE", &mode));
  EXPECT_TRUE(cmd.GetString("BLUETOOTH_NAME", &name));
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(name, "LT42") << "Bluetooth settings are kept only by bt_config_save";

  EXPECT_TRUE(cmd.RunCommand("reg_restore_default"));
  EXPECT_TRUE(cmd.RunCommand("power_reset"));
  printer.Advance(firmware.restart_ms);
  EXPECT_TRUE(cmd.GetInt("PRINT_MODE", &mode));
  EXPECT_EQ(mode, 0);
  EXPECT_EQ(firmware.restarts, 2);
}

TEST_F(UsbPrnCmdTest, CommandsNeedTheirKind) {
  EXPECT_TRUE(cmd.RunCommand("beep"));
  EXPECT_TRUE(cmd.RunCommand("ui_prn_selftest"));
  EXPECT_FALSE(cmd.RunSaveCommand("beep"));
  EXPECT_FALSE(cmd.RunCommand("reg_value_save"));
  EXPECT_EQ(firmware.beeps, 1);
  EXPECT_EQ(firmware.self_tests, 1);
}

TEST_F(UsbPrnCmdTest, ReplyCutShortStillCountsWithWhatArrived) {
  firmware.timing = {.piece_size = 3, .first_delay_ms = 1, .piece_delay_ms = 600};
  int32_t size = -1;
  std::string version = "old";
  EXPECT_TRUE(cmd.GetInt("PRINT_DARKNESS_SIZE", &size));
  EXPECT_EQ(size, 0);
  printer.Advance(1000);  // the pieces that missed their exchange are stale by now
  EXPECT_TRUE(cmd.GetString("VERSION", &version));
  EXPECT_EQ(version, "");
}

}  // namespace
}  // namespace velmo
