// velmocfg's commands against emulated printers on a virtual clock.
#include "velmocfg_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "emulated_printer.h"

namespace velmo {
namespace {

using emulator::EmulatedPrinter;
using emulator::PrinterFirmware;
using ::testing::HasSubstr;
using ::testing::Not;

struct Printer {
  PrinterFirmware firmware;
  EmulatedPrinter device{firmware};
  // Pulled out after this many write frames have gone out (0: never).
  int unplug_after_writes = 0;
  int writes = 0;
};

// Counts write frames on their way to the device, to pull it out at a chosen one.
class CountingPort : public UsbPort {
 public:
  CountingPort(std::unique_ptr<UsbPort> inner, Printer& printer) : inner_(std::move(inner)), printer_(printer) {}
  UsbStart StartRead(uint8_t* buffer, size_t capacity) override { return inner_->StartRead(buffer, capacity); }
  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    const UsbStart start = inner_->StartWrite(data, length);
    if (data[4] == 0x30 && ++printer_.writes == printer_.unplug_after_writes) printer_.device.plugged = false;
    return start;
  }
  bool Wait(UsbChannel channel, uint32_t timeout_ms) override { return inner_->Wait(channel, timeout_ms); }
  std::optional<size_t> Result(UsbChannel channel) override { return inner_->Result(channel); }
  void Cancel() override { inner_->Cancel(); }

 private:
  std::unique_ptr<UsbPort> inner_;
  Printer& printer_;
};

class FakeHost : public VelmocfgHost, public UsbPortOpener {
 public:
  std::map<std::string, Printer> printers;
  std::map<std::string, std::string> files;
  std::string out, err;

  std::vector<std::string> PresentPrinters() override {
    std::vector<std::string> names;
    for (auto& [name, printer] : printers) {
      if (IsPrinterPresent(name)) names.push_back(name);
    }
    return names;
  }
  bool IsPrinterPresent(std::string_view name) override {
    const auto it = printers.find(std::string(name));
    return it != printers.end() && it->second.device.plugged && it->second.device.Open(name) != nullptr;
  }
  UsbPortOpener& Ports() override { return *this; }
  std::unique_ptr<UsbPort> Open(std::string_view name) override {
    const auto it = printers.find(std::string(name));
    if (it == printers.end()) return nullptr;
    auto port = it->second.device.Open(name);
    if (!port) return nullptr;
    return std::make_unique<CountingPort>(std::move(port), it->second);
  }
  uint64_t NowMs() override { return now_ms; }
  void Sleep(uint32_t ms) override {
    now_ms += ms;
    for (auto& [name, printer] : printers) printer.device.Advance(ms);
  }
  const AnsiCodec& Codec() override { return codec; }
  std::optional<std::string> ReadFile(const std::string& path, size_t limit) override {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second.substr(0, limit);
  }
  bool WriteFile(const std::string& path, const std::string& content) override {
    files[path] = content;
    return true;
  }
  std::string LocalDateTime() override { return "2026-12-09 16:30:00"; }
  void Out(std::string_view text) override { out += text; }
  void Err(std::string_view text) override { err += text; }

  int Run(std::vector<std::string> arguments) {
    out.clear();
    err.clear();
    return RunVelmocfg(arguments, *this);
  }

  uint64_t now_ms = 0;
  Latin1Codec codec;
};

class Velmocfg : public ::testing::Test {
 protected:
  Printer& Add(const std::string& name) { return host.printers[name]; }
  FakeHost host;
};

TEST_F(Velmocfg, RoundTripIntoASecondPrinterLeavesNoDifference) {
  Printer& first = Add("Velmo A");
  Printer& second = Add("Velmo B");
  first.firmware.SetCurrent("PRINT_DARKNESS", int32_t{-2});
  first.firmware.SetCurrent("PRINT_MODE", int32_t{2});
  first.firmware.SetCurrent("BLUETOOTH_NAME", std::string("Kasse \xE9"));
  first.firmware.SetCurrent("WIFI_CONFIG_SSID", std::string("Lager"));
  first.firmware.SetCurrent("LAN_CONFIG_IPADDRESS", std::vector<uint8_t>{192, 168, 7, 20});
  second.firmware.SetCurrent("AUTO_REPRINT", int32_t{1});

  ASSERT_EQ(host.Run({"show", "-printer:Velmo A"}), 0) << host.err;
  EXPECT_THAT(host.out, HasSubstr("# model: Velmo LT42\n# firmware: 2.1.7\nPRINT_DARKNESS_SIZE=15\n"));
  EXPECT_THAT(host.out, HasSubstr("BLUETOOTH_NAME=Kasse \xC3\xA9\n"));
  ASSERT_EQ(host.Run({"export", "a.profile", "-printer:Velmo A", "-with-secrets"}), 0) << host.err;
  ASSERT_EQ(host.Run({"diff", "a.profile", "-printer:Velmo B"}), 0) << host.err;
  EXPECT_THAT(host.out, HasSubstr("PRINT_MODE: 0 -> 2\n"));
  EXPECT_THAT(host.out, HasSubstr("AUTO_REPRINT: 1 -> 0\n"));
  EXPECT_THAT(host.out, HasSubstr("LAN_CONFIG_IPADDRESS: 0.0.0.0 -> 192.168.7.20\n"));

  ASSERT_EQ(host.Run({"import", "a.profile", "-printer:Velmo B"}), 0) << host.err;
  EXPECT_THAT(host.out, HasSubstr("Velmo B: saved and verified"));
  ASSERT_EQ(host.Run({"diff", "a.profile", "-printer:Velmo B"}), 0) << host.err;
  EXPECT_EQ(host.out, "");
  EXPECT_EQ(second.firmware.restarts, 1);
  // Stored, not only written: a restart keeps them.
  EXPECT_EQ(std::get<std::string>(*second.firmware.Current("BLUETOOTH_NAME")), "Kasse \xE9");
}

TEST_F(Velmocfg, ValueThePrinterKeepsOldFailsWithFive) {
  Add("Velmo A").firmware.ignored_writes = {"PRINT_MODE"};
  host.files["p"] = "PRINT_MODE=1\nAUTO_FEED=0\n";
  EXPECT_EQ(host.Run({"import", "p"}), 5);
  EXPECT_THAT(host.err, HasSubstr("did not take: PRINT_MODE: 0 -> 1"));
  EXPECT_EQ(host.Run({"set", "PRINT_MODE=2"}), 5);
}

TEST_F(Velmocfg, UnpluggedBetweenWritesAndSaveFailsWithFourAndTheNextRunWorks) {
  Printer& printer = Add("Velmo A");
  printer.unplug_after_writes = 2;  // after the second of two writes, before the save
  host.files["p"] = "PRINT_MODE=1\nAUTO_FEED=0\n";
  EXPECT_EQ(host.Run({"import", "p"}), 4);
  EXPECT_THAT(host.err, HasSubstr("did not answer (writing reg_value_save)"));
  EXPECT_EQ(printer.firmware.restarts, 0);

  printer.device.plugged = true;
  EXPECT_EQ(host.Run({"import", "p"}), 0) << host.err;
  EXPECT_EQ(host.Run({"diff", "p"}), 0);
  EXPECT_EQ(host.out, "");
}

TEST_F(Velmocfg, ExportWithoutTheSwitchKeepsPasswordsOut) {
  Printer& printer = Add("Velmo A");
  printer.firmware.SetCurrent("BLUETOOTH_PASSWORD", std::string("s3cret-bt"));
  printer.firmware.SetCurrent("BLUETOOTH_PASSWORD_LE", std::string("s3cret-le"));
  printer.firmware.SetCurrent("WIFI_CONFIG_PASSWORD", std::string("s3cret-wifi"));
  ASSERT_EQ(host.Run({"export", "p"}), 0);
  EXPECT_THAT(host.files["p"], Not(HasSubstr("s3cret")));
  EXPECT_THAT(host.files["p"], Not(HasSubstr("PASSWORD")));
  EXPECT_THAT(host.files["p"], HasSubstr("# passwords left out"));
  EXPECT_THAT(host.files["p"], HasSubstr("# date: 2026-12-09 16:30:00\n"));
  ASSERT_EQ(host.Run({"export", "p", "-with-secrets"}), 0);
  EXPECT_THAT(host.files["p"], HasSubstr("WIFI_CONFIG_PASSWORD=s3cret-wifi\n"));
}

TEST_F(Velmocfg, PrinterChoice) {
  EXPECT_EQ(host.Run({"show"}), 3);
  EXPECT_THAT(host.err, HasSubstr("no printer is present"));
  Add("Velmo A");
  Add("Velmo B");
  EXPECT_EQ(host.Run({"list"}), 0);
  EXPECT_EQ(host.out, "Velmo A\nVelmo B\n");
  EXPECT_EQ(host.Run({"run", "beep"}), 3);
  EXPECT_THAT(host.err, HasSubstr("several printers are present (Velmo A, Velmo B)"));
  EXPECT_EQ(host.Run({"show", "-printer:Velmo C"}), 3);
  EXPECT_EQ(host.Run({"run", "beep", "-printer:Velmo B"}), 0);
  EXPECT_EQ(host.printers["Velmo B"].firmware.beeps, 1);
}

TEST_F(Velmocfg, ImportAllReportsEachPrinter) {
  Add("Velmo A");
  Add("Velmo B").firmware.ignored_writes = {"PRINT_MODE"};
  Add("Velmo C").firmware.SetCurrent("PRINT_MODE", int32_t{2});
  host.files["p"] = "PRINT_MODE=2\n";
  EXPECT_EQ(host.Run({"import", "p", "-all", "-dry-run"}), 0);
  EXPECT_EQ(host.out, "PRINT_MODE: 0 -> 2\nPRINT_MODE: 0 -> 2\n");
  EXPECT_EQ(host.printers["Velmo A"].firmware.restarts, 0);
  EXPECT_EQ(host.Run({"import", "p", "-all"}), 5);
  EXPECT_THAT(host.out, HasSubstr("Velmo A: saved and verified\n"));
  EXPECT_THAT(host.err, HasSubstr("Velmo B: did not take"));
  EXPECT_THAT(host.out, HasSubstr("Velmo C: nothing to change\n"));
}

TEST_F(Velmocfg, BadProfileIsRefusedBeforeAnyPrinterIsTouched) {
  Printer& printer = Add("Velmo A");
  host.files["p"] = "PRINT_MODE=1\nPRINT_MODE=1\nFOO=1\n";
  EXPECT_EQ(host.Run({"import", "p"}), 2);
  EXPECT_THAT(host.err, HasSubstr("p line 2: PRINT_MODE is given twice"));
  EXPECT_THAT(host.err, HasSubstr("p line 3: unknown key \"FOO\""));
  EXPECT_EQ(printer.device.opens, 0);
  EXPECT_EQ(host.Run({"import", "missing"}), 2);
  EXPECT_EQ(host.Run({"set", "PRINT_MODE=7"}), 2);
  EXPECT_THAT(host.err, HasSubstr("set, setting 1: PRINT_MODE is out of range"));
  EXPECT_EQ(host.Run({"get", "PRINT_MODE", "NOPE"}), 2);
  EXPECT_EQ(printer.device.opens, 0);
  EXPECT_EQ(host.Run({"frobnicate"}), 2);
  EXPECT_THAT(host.err, HasSubstr("usage: velmocfg"));
}

TEST_F(Velmocfg, GetSetAndCommands) {
  Printer& printer = Add("Velmo A");
  ASSERT_EQ(host.Run({"set", "PRINT_DARKNESS=-3", "WIFI_CONFIG_NETMASK=255.255.0.0"}), 0) << host.err;
  ASSERT_EQ(host.Run({"get", "PRINT_DARKNESS", "WIFI_CONFIG_NETMASK", "AUTO_FEED", "OEM_MODELNAME"}), 0);
  EXPECT_EQ(host.out, "PRINT_DARKNESS=-3\nWIFI_CONFIG_NETMASK=255.255.0.0\nAUTO_FEED=1\nOEM_MODELNAME=Velmo LT42\n");
  EXPECT_EQ(host.Run({"set", "PRINT_DARKNESS=8"}), 2) << "outside this printer's -7 to 7";
  EXPECT_EQ(host.Run({"run", "selftest"}), 0);
  EXPECT_EQ(printer.firmware.self_tests, 1);
  EXPECT_EQ(host.Run({"run", "factory-reset"}), 0) << host.err;
  EXPECT_EQ(std::get<int32_t>(*printer.firmware.Current("PRINT_DARKNESS")), 0);
  printer.device.plugged = false;
  host.printers.begin()->second.device.plugged = false;
  EXPECT_EQ(host.Run({"show", "-printer:Velmo A"}), 3);
  EXPECT_EQ(host.Run({"--help"}), 0);
  EXPECT_THAT(host.out, HasSubstr("Exit codes"));
}

TEST_F(Velmocfg, PrinterThatStopsAnsweringFailsWithFour) {
  Printer& printer = Add("Velmo A");
  printer.firmware.restart_ms = 60000;  // does not come back within 20 s
  EXPECT_EQ(host.Run({"run", "restart"}), 4);
  EXPECT_THAT(host.err, HasSubstr("waiting for the restart"));
}

}  // namespace
}  // namespace velmo
