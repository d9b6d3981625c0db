// The read sequence, the wait for a restarting printer and applying
// settings, against the emulated printer on its virtual clock.
#include "printer_apply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "emulated_printer.h"
#include "recording_port.h"

namespace velmo {
namespace {

using emulator::EmulatedPrinter;
using emulator::PrinterFirmware;
using ::testing::ElementsAre;

// Names the key or command of every request that goes out.
class KeyRecorder : public UsbPortOpener {
 public:
  explicit KeyRecorder(EmulatedPrinter& printer) : printer_(printer) {}
  std::unique_ptr<UsbPort> Open(std::string_view name) override;
  std::vector<std::string> keys;

 private:
  EmulatedPrinter& printer_;
};

std::unique_ptr<UsbPort> KeyRecorder::Open(std::string_view name) {
  auto port = printer_.Open(name);
  if (!port) return nullptr;
  return std::make_unique<emulator::RecordingPort>(std::move(port), [this](const uint8_t* frame, size_t) {
    keys.emplace_back(reinterpret_cast<const char*>(frame + (frame[4] == 0x20 ? 6 : 10)));
  });
}

class EmulatorWaiter : public PrinterWaiter {
 public:
  explicit EmulatorWaiter(EmulatedPrinter& printer) : printer_(printer) {}
  uint64_t NowMs() override { return printer_.NowMs(); }
  void Sleep(uint32_t ms) override { printer_.Advance(ms); }
  bool IsPresent() override { return printer_.plugged && printer_.Open("") != nullptr; }

 private:
  EmulatedPrinter& printer_;
};

class MemoryUnsavedWrites : public UnsavedWrites {
 public:
  std::vector<std::string> Keys() override { return keys; }
  void Set(const std::vector<std::string>& to) override { keys = to; }
  std::vector<std::string> keys;
};

class SettingsEngine : public ::testing::Test {
 protected:
  ApplyResult Apply(const ParsedProfile& profile, const ApplyOptions& options = {}) {
    return ApplySettings(cmd, profile.entries, waiter, unsaved, codec, options);
  }
  MemoryUnsavedWrites unsaved;
  PrinterFirmware firmware;
  EmulatedPrinter printer{firmware};
  KeyRecorder recorder{printer};
  TUsbPrnCmd cmd{"Velmo LT42", recorder};
  EmulatorWaiter waiter{printer};
  Latin1Codec codec;
};

TEST_F(SettingsEngine, ReadsInTheDialogsOrderAndOnlyTheGroupsThePrinterHas) {
  firmware.SetCurrent("LAN_ENABLED", int32_t{0});
  const auto settings = ReadPrinterSettings(cmd);
  ASSERT_TRUE(settings);
  EXPECT_THAT(recorder.keys,
              ElementsAre("PRINT_DARKNESS_SIZE", "PRINT_DARKNESS_SIZE", "PRINT_DARKNESS", "PRINT_MODE", "AUTO_FEED",
                          "AUTO_REPRINT", "PRINT_ONLY_ONE_PAGE", "BT_ENABLED", "BLUETOOTH_NAME",
                          "BLUETOOTH_PASSWORD", "BLUETOOTH_NAME_LE", "BLUETOOTH_PASSWORD_LE", "LAN_ENABLED",
                          "WIFI_ENABLED", "WIFI_CONFIG_SSID", "WIFI_CONFIG_PASSWORD", "WIFI_CONFIG_IPADDRESS",
                          "WIFI_CONFIG_NETMASK", "WIFI_CONFIG_GATEWAY", "OEM_MODELNAME", "VERSION", "VERSION_CMD"));
  EXPECT_EQ(settings->FirmwareVersion(), "2.1.7");
  EXPECT_FALSE(settings->Find("LAN_CONFIG_IPADDRESS"));
}

TEST_F(SettingsEngine, NoAnswerToTheFirstRequestReadsNothingMore) {
  printer.plugged = false;
  EXPECT_FALSE(ReadPrinterSettings(cmd));
  printer.plugged = true;
  firmware.SetCurrent("PRINT_DARKNESS_SIZE", std::string("not a number"));
  EXPECT_FALSE(ReadPrinterSettings(cmd));
  EXPECT_THAT(recorder.keys, ElementsAre("PRINT_DARKNESS_SIZE"));
}

TEST_F(SettingsEngine, WaitEndsOnceTheRestartedPrinterAnswers) {
  ASSERT_TRUE(cmd.RunCommand("power_reset"));
  const uint64_t reset_at = printer.NowMs();
  EXPECT_TRUE(WaitForPrinterReturn(cmd, waiter));
  EXPECT_GE(printer.NowMs() - reset_at, firmware.restart_ms);
  EXPECT_LT(printer.NowMs() - reset_at, firmware.restart_ms + 200u) << "polled every 100 ms";
}

TEST_F(SettingsEngine, PrinterNeverSeenLeavingIsGivenTwoSeconds) {
  firmware.restart_ms = 0;
  ASSERT_TRUE(cmd.RunCommand("power_reset"));
  const uint64_t reset_at = printer.NowMs();
  EXPECT_TRUE(WaitForPrinterReturn(cmd, waiter));
  EXPECT_GE(printer.NowMs() - reset_at, 2000u);
}

TEST_F(SettingsEngine, WaitGivesUpAfterTwentySeconds) {
  printer.plugged = false;
  const uint64_t start = printer.NowMs();
  EXPECT_FALSE(WaitForPrinterReturn(cmd, waiter));
  EXPECT_GE(printer.NowMs() - start, kPrinterReturnTimeoutMs);
  EXPECT_LT(printer.NowMs() - start, kPrinterReturnTimeoutMs + 200u);
}

TEST_F(SettingsEngine, ApplyWritesWhatDiffersSavesEachGroupAndVerifies) {
  const auto profile = ParseProfile("PRINT_MODE=0\nPRINT_DARKNESS=3\nBLUETOOTH_NAME=Kasse 2\n", codec);
  ASSERT_TRUE(profile.errors.empty());
  const ApplyResult result = Apply(profile);
  EXPECT_EQ(result.status, ApplyStatus::kSavedAndVerified);
  ASSERT_EQ(result.written.size(), 2u);
  // After the 25 requests of the read sequence: the writes, the saves, the
  // restart and the first request after it.
  ASSERT_GE(recorder.keys.size(), 31u);
  EXPECT_THAT(std::vector(recorder.keys.begin() + 25, recorder.keys.begin() + 31),
              ElementsAre("PRINT_DARKNESS", "BLUETOOTH_NAME", "reg_value_save", "bt_config_save", "power_reset",
                          "PRINT_DARKNESS_SIZE"));
  EXPECT_EQ(std::get<int32_t>(*firmware.Current("PRINT_DARKNESS")), 3);
  EXPECT_EQ(std::get<std::string>(*firmware.Current("BLUETOOTH_NAME")), "Kasse 2");
}

TEST_F(SettingsEngine, ApplyOfWhatThePrinterHoldsWritesNothing) {
  const auto profile = ParseProfile("PRINT_MODE=0\n", codec);
  const ApplyResult result = Apply(profile);
  EXPECT_EQ(result.status, ApplyStatus::kNothingToChange);
  EXPECT_TRUE(result.written.empty());
  EXPECT_EQ(firmware.restarts, 0);
}

TEST_F(SettingsEngine, ValueThatDoesNotTakeFailsVerification) {
  firmware.ignored_writes = {"AUTO_REPRINT"};
  const auto profile = ParseProfile("AUTO_REPRINT=1\nPRINT_MODE=2\n", codec);
  const ApplyResult result = Apply(profile);
  EXPECT_EQ(result.status, ApplyStatus::kNotTaken);
  ASSERT_EQ(result.not_taken.size(), 1u);
  EXPECT_EQ(DifferenceLine(result.not_taken[0]), "AUTO_REPRINT: 0 -> 1");
}

TEST_F(SettingsEngine, ProfileThatDoesNotFitThePrinterWritesNothing) {
  firmware.SetCurrent("BT_ENABLED", int32_t{0});
  const auto profile = ParseProfile("PRINT_MODE=2\nBLUETOOTH_NAME=x\n", codec);
  const ApplyResult result = Apply(profile);
  EXPECT_EQ(result.status, ApplyStatus::kRefused);
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.errors[0].line, 2);
  EXPECT_EQ(std::get<int32_t>(*firmware.Current("PRINT_MODE")), 0);
}

TEST_F(SettingsEngine, ForcedApplySavesAndVerifiesWhatAlreadyMatches) {
  const auto profile = ParseProfile("PRINT_MODE=0\nBLUETOOTH_NAME=LT42\n", codec);
  ApplyOptions forced;
  forced.force = true;
  const ApplyResult result = Apply(profile, forced);
  EXPECT_EQ(result.status, ApplyStatus::kSavedAndVerified);
  EXPECT_EQ(firmware.restarts, 1);
  EXPECT_THAT(std::vector(recorder.keys.begin() + 25, recorder.keys.begin() + 28),
              ElementsAre("reg_value_save", "bt_config_save", "power_reset"));
}

TEST_F(SettingsEngine, DryRunComparesAndWritesNothing) {
  const auto profile = ParseProfile("PRINT_MODE=2\n", codec);
  ApplyOptions dry_run;
  dry_run.dry_run = true;
  const ApplyResult result = Apply(profile, dry_run);
  EXPECT_EQ(result.status, ApplyStatus::kDryRun);
  ASSERT_EQ(result.written.size(), 1u);
  EXPECT_EQ(recorder.keys.size(), 25u) << "the read sequence only";
}

// A key the firmware refuses to read is found before anything is written,
// and the record of an earlier run's unsaved writes stays for the next.
TEST_F(SettingsEngine, KeyTheFirmwareRefusesStopsTheRunBeforeItWrites) {
  unsaved.keys = {"AUTO_FEED"};
  firmware.unknown_keys = {"BLUETOOTH_NAME"};
  const auto profile = ParseProfile("PRINT_MODE=2\nBLUETOOTH_NAME=Kasse\n", codec);
  const ApplyResult refused = Apply(profile);
  ASSERT_EQ(refused.status, ApplyStatus::kRefused);
  ASSERT_EQ(refused.errors.size(), 1u);
  EXPECT_EQ(refused.errors[0].line, 2);
  EXPECT_EQ(refused.errors[0].problem, ProfileProblem::kUnknownToPrinter);
  EXPECT_EQ(firmware.restarts, 0);
  EXPECT_EQ(std::get<int32_t>(*firmware.Current("PRINT_MODE")), 0);
  EXPECT_EQ(unsaved.keys, std::vector<std::string>{"AUTO_FEED"});
}

}  // namespace
}  // namespace velmo
