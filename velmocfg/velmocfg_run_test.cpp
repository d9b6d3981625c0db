// velmocfg's commands against emulated printers on a virtual clock.
#include "velmocfg_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "emulated_printer.h"
#include "unsaved_writes.h"

namespace velmo {
namespace {

using emulator::EmulatedPrinter;
using emulator::PrinterFirmware;
using ::testing::HasSubstr;
using ::testing::Not;

struct Printer {
  PrinterFirmware firmware;
  EmulatedPrinter device{firmware};
  // Pulled out after this many write or read frames have gone out (0: never).
  int unplug_after_writes = 0, unplug_after_reads = 0;
  int writes = 0, reads = 0;
};

// Counts write frames on their way to the device, to pull it out at a chosen one.
class CountingPort : public UsbPort {
 public:
  CountingPort(std::unique_ptr<UsbPort> inner, Printer& printer) : inner_(std::move(inner)), printer_(printer) {}
  UsbStart StartRead(uint8_t* buffer, size_t capacity) override { return inner_->StartRead(buffer, capacity); }
  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    const UsbStart start = inner_->StartWrite(data, length);
    if (data[4] == 0x30 && ++printer_.writes == printer_.unplug_after_writes) printer_.device.plugged = false;
    if (data[4] == 0x20 && ++printer_.reads == printer_.unplug_after_reads) printer_.device.plugged = false;
    return start;
  }
  bool Wait(UsbChannel channel, uint32_t timeout_ms) override { return inner_->Wait(channel, timeout_ms); }
  std::optional<size_t> Result(UsbChannel channel) override { return inner_->Result(channel); }
  void Cancel() override { inner_->Cancel(); }

 private:
  std::unique_ptr<UsbPort> inner_;
  Printer& printer_;
};

// The record as the Win32 host keeps it, in a file of the fake host.
class RecordedUnsavedWrites : public UnsavedWrites {
 public:
  explicit RecordedUnsavedWrites(std::string& text) : text_(text) {}
  std::vector<std::string> Keys() override { return ParseUnsavedKeys(text_); }
  void Set(const std::vector<std::string>& keys) override { text_ = FormatUnsavedKeys(keys); }

 private:
  std::string& text_;
};

class FakeHost : public VelmocfgHost, public UsbPortOpener {
 public:
  std::map<std::string, Printer> printers;
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> same_device;  // queue -> the queue whose printer it also prints to
  std::set<std::string> held;                       // printers another program holds
  std::map<std::string, std::string> unsaved;       // printer -> its record
  std::optional<std::string> input;
  std::string out, err;

  std::vector<std::string> PresentPrinters() override {
    std::vector<std::string> names;
    for (auto& [name, printer] : printers) {
      if (IsPrinterPresent(name)) names.push_back(name);
    }
    for (auto& [alias, name] : same_device) {
      if (IsPrinterPresent(alias)) names.push_back(alias);
    }
    return names;
  }
  bool IsPrinterPresent(std::string_view name) override {
    const auto alias = same_device.find(std::string(name));
    if (alias != same_device.end()) name = alias->second;
    const auto it = printers.find(std::string(name));
    return it != printers.end() && it->second.device.plugged && it->second.device.Open(name) != nullptr;
  }
  std::string DeviceOf(std::string_view name) override {
    const auto alias = same_device.find(std::string(name));
    return "usb#" + (alias == same_device.end() ? std::string(name) : alias->second);
  }
  std::unique_ptr<PrinterHold> HoldPrinter(std::string_view name) override {
    if (held.count(std::string(name))) return nullptr;
    return std::make_unique<PrinterHold>();
  }
  std::unique_ptr<UnsavedWrites> UnsavedWritesOf(std::string_view name) override {
    return std::make_unique<RecordedUnsavedWrites>(unsaved[DeviceOf(name)]);
  }
  UsbPortOpener& Ports() override { return *this; }
  std::unique_ptr<UsbPort> Open(std::string_view name) override {
    const auto alias = same_device.find(std::string(name));
    if (alias != same_device.end()) name = alias->second;
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
  bool MakeFolder(const std::string&) override { return true; }
  std::optional<std::string> ReadInput(size_t limit) override {
    if (!input) return std::nullopt;
    return input->substr(0, limit);
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
  ASSERT_EQ(host.Run({"diff", "a.profile", "-printer:Velmo B"}), 1) << host.err;
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

// Every write took but the printer was gone before the save: its working
// values already match the profile, and only the record of unsaved writes
// makes the next run save them.
TEST_F(Velmocfg, UnpluggedBeforeTheSaveIsSavedByTheNextRun) {
  Printer& printer = Add("Velmo A");
  printer.unplug_after_writes = 2;  // after the second of two writes, before the save
  host.files["p"] = "PRINT_MODE=1\nAUTO_FEED=0\n";
  EXPECT_EQ(host.Run({"import", "p"}), 4);
  EXPECT_THAT(host.err, HasSubstr("did not answer (writing reg_value_save)"));
  EXPECT_THAT(host.err, HasSubstr("written but not saved: PRINT_MODE, AUTO_FEED"));
  EXPECT_EQ(printer.firmware.restarts, 0);

  printer.device.plugged = true;
  EXPECT_EQ(host.Run({"import", "p"}), 0) << host.err;
  EXPECT_THAT(host.out, HasSubstr("Velmo A: saved and verified"));
  EXPECT_EQ(host.unsaved["usb#Velmo A"], "");
  EXPECT_EQ(host.Run({"run", "restart"}), 0) << host.err;
  EXPECT_EQ(host.Run({"diff", "p"}), 0) << host.out;
}

// The printer drops off after the third write and comes back a second later
// with those writes live but unsaved, as a brief USB drop leaves it.
TEST_F(Velmocfg, PrinterThatDropsMidImportIsPutBackAndTheRerunSaves) {
  Printer& printer = Add("Velmo A");
  printer.firmware.unplug_after_writes = 3;
  host.files["p"] = "PRINT_MODE=1\nAUTO_FEED=0\nAUTO_REPRINT=1\nPRINT_ONLY_ONE_PAGE=1\nPRINT_DARKNESS=3\n";
  EXPECT_EQ(host.Run({"import", "p"}), 4);
  EXPECT_THAT(host.err, HasSubstr("did not answer (writing PRINT_ONLY_ONE_PAGE)"));
  EXPECT_THAT(host.err, HasSubstr("put back: nothing was changed"));
  EXPECT_EQ(std::get<int32_t>(*printer.firmware.Current("PRINT_MODE")), 0);
  EXPECT_EQ(std::get<int32_t>(*printer.firmware.Current("AUTO_FEED")), 1);
  EXPECT_EQ(std::get<int32_t>(*printer.firmware.Current("AUTO_REPRINT")), 0);
  EXPECT_EQ(host.unsaved["usb#Velmo A"], "");

  EXPECT_EQ(host.Run({"import", "p"}), 0) << host.err;
  EXPECT_THAT(host.out, HasSubstr("Velmo A: saved and verified"));
  EXPECT_EQ(host.Run({"run", "restart"}), 0) << host.err;
  EXPECT_EQ(host.Run({"diff", "p"}), 0) << host.out;
}

// Gone for good after the third write: nothing can be put back, so the run
// names what it left, and a set of the same keys later saves them although
// the printer's working values already match.
TEST_F(Velmocfg, PrinterGoneForGoodNamesWhatItLeftUnsaved) {
  Printer& printer = Add("Velmo A");
  printer.unplug_after_writes = 3;
  EXPECT_EQ(host.Run({"set", "PRINT_MODE=1", "AUTO_FEED=0", "AUTO_REPRINT=1", "PRINT_ONLY_ONE_PAGE=1"}), 4);
  EXPECT_THAT(host.err, HasSubstr("written but not saved: PRINT_MODE, AUTO_FEED, AUTO_REPRINT, PRINT_ONLY_ONE_PAGE"));

  printer.device.plugged = true;
  host.files["p"] = "PRINT_MODE=1\nAUTO_FEED=0\nAUTO_REPRINT=1\n";
  EXPECT_EQ(host.Run({"import", "p"}), 0) << host.err;
  EXPECT_THAT(host.out, Not(HasSubstr("nothing to change")));
  EXPECT_EQ(host.Run({"run", "restart"}), 0) << host.err;
  EXPECT_EQ(host.Run({"diff", "p"}), 0) << host.out;
}

TEST_F(Velmocfg, KeyTheFirmwareLacksIsRefusedWithItsLineBeforeAnyWrite) {
  Printer& printer = Add("Velmo A");
  printer.firmware.unknown_keys = {"AUTO_REPRINT"};
  host.files["p"] = "# Velmo printer profile\nPRINT_MODE=1\nAUTO_REPRINT=1\n";
  EXPECT_EQ(host.Run({"import", "p"}), 2);
  EXPECT_THAT(host.err, HasSubstr("p line 3: AUTO_REPRINT: this printer's firmware does not know this setting"));
  EXPECT_EQ(printer.writes, 0);
  EXPECT_EQ(host.Run({"get", "AUTO_REPRINT"}), 2);
  EXPECT_EQ(host.Run({"show"}), 0) << "a key the firmware lacks is no failed read";
  EXPECT_THAT(host.err, HasSubstr("not known to this printer's firmware: AUTO_REPRINT"));
  EXPECT_EQ(host.Run({"diff", "p"}), 1) << "a key the printer lacks is a difference, not a silent printer";
  EXPECT_THAT(host.err, HasSubstr("not known to this printer's firmware: AUTO_REPRINT"));
  EXPECT_EQ(host.Run({"export", "e"}), 0);
  EXPECT_EQ(host.Run({"import", "e"}), 0) << "its own export imports: " << host.err;
}

TEST_F(Velmocfg, PasswordsAreNeverPrintedWithoutTheSwitch) {
  Printer& printer = Add("Velmo A");
  printer.firmware.SetCurrent("WIFI_CONFIG_PASSWORD", std::string("old-secret"));
  printer.firmware.ignored_writes = {"BLUETOOTH_PASSWORD"};
  host.files["p"] = "WIFI_CONFIG_PASSWORD=new-secret\nBLUETOOTH_PASSWORD=bt-secret\n";
  std::string everything;
  for (const std::vector<std::string>& command :
       std::vector<std::vector<std::string>>{{"show"}, {"show", "-json"}, {"get", "WIFI_CONFIG_PASSWORD"},
                                             {"diff", "p"}, {"diff", "p", "-json"}, {"import", "p", "-dry-run"},
                                             {"import", "p"}, {"import", "p", "-json"}}) {
    host.Run(command);
    everything += host.out + host.err;
  }
  EXPECT_THAT(everything, Not(HasSubstr("secret")));
  EXPECT_THAT(everything, HasSubstr("WIFI_CONFIG_PASSWORD: *** -> ***"));
  EXPECT_THAT(everything, HasSubstr("did not take: BLUETOOTH_PASSWORD: *** -> ***"));
  EXPECT_EQ(host.Run({"get", "WIFI_CONFIG_PASSWORD", "-with-secrets"}), 0);
  EXPECT_EQ(host.out, "WIFI_CONFIG_PASSWORD=new-secret\n");
}

TEST_F(Velmocfg, SetTakesASecretFromStandardInputExactly) {
  Printer& printer = Add("Velmo A");
  host.input = " pass word \r\n";
  EXPECT_EQ(host.Run({"set", "WIFI_CONFIG_PASSWORD=-"}), 0) << host.err;
  EXPECT_EQ(std::get<std::string>(*printer.firmware.Current("WIFI_CONFIG_PASSWORD")), " pass word ");
  EXPECT_THAT(host.out, Not(HasSubstr("pass word")));
  EXPECT_EQ(host.Run({"set", "WIFI_CONFIG_PASSWORD=-", "BLUETOOTH_PASSWORD=-"}), 2);
  host.input.reset();
  EXPECT_EQ(host.Run({"set", "WIFI_CONFIG_PASSWORD=-"}), 2);
}

// Whatever the printer holds, its own export imports and changes nothing.
TEST_F(Velmocfg, ExportThenImportIsExactWhateverThePrinterHolds) {
  Printer& printer = Add("Velmo A");
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"BLUETOOTH_NAME", "  two blanks first and last  "},
      {"BLUETOOTH_PASSWORD", "\"quoted\" = # \\ back"},
      {"BLUETOOTH_NAME_LE", "line\nbreak\r\tand\x01control"},
      {"WIFI_CONFIG_SSID", "#not a comment"},
      {"WIFI_CONFIG_PASSWORD", std::string(200, 'x')},  // longer than a request frame holds
  };
  for (const auto& [key, text] : texts) printer.firmware.SetCurrent(key, text);
  printer.firmware.SetCurrent("PRINT_MODE", int32_t{3});
  printer.firmware.SetCurrent("AUTO_FEED", int32_t{7});
  ASSERT_EQ(host.Run({"export", "e", "-with-secrets"}), 0);
  EXPECT_THAT(host.files["e"], HasSubstr("# cannot be imported: PRINT_MODE=3\n"));
  EXPECT_EQ(host.Run({"import", "e"}), 0) << host.err;
  EXPECT_THAT(host.out, HasSubstr("nothing to change"));
  EXPECT_EQ(printer.writes, 0);
  EXPECT_EQ(host.Run({"diff", "e"}), 0) << host.out;

  // Into a printer with factory values, the texts arrive byte for byte.
  Printer& other = Add("Velmo B");
  EXPECT_EQ(host.Run({"import", "e", "-printer:Velmo B"}), 0) << host.err;
  for (const auto& [key, text] : texts) {
    if (key == "WIFI_CONFIG_PASSWORD") continue;
    EXPECT_EQ(std::get<std::string>(*other.firmware.Current(key)), text) << key;
  }
}

TEST_F(Velmocfg, ProfilesInUtf16AreReadAndOtherEncodingsRefusedInOneLine) {
  Printer& printer = Add("Velmo A");
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (const char c : std::string("PRINT_MODE=2\r\nBLUETOOTH_NAME=Caf\xE9\r\n")) {
    le += c;
    le += '\0';
    be += '\0';
    be += c;
  }
  host.files["le"] = le;
  host.files["be"] = be;
  ASSERT_EQ(host.Run({"diff", "le"}), 1) << host.err;
  EXPECT_EQ(host.out, "PRINT_MODE: 0 -> 2\nBLUETOOTH_NAME: LT42 -> Caf\xC3\xA9\n");
  ASSERT_EQ(host.Run({"import", "be"}), 0) << host.err;
  EXPECT_EQ(std::get<std::string>(*printer.firmware.Current("BLUETOOTH_NAME")), "Caf\xE9");

  host.files["bare"] = le.substr(2);  // UTF-16 without its mark
  EXPECT_EQ(host.Run({"import", "bare"}), 2);
  EXPECT_EQ(std::count(host.err.begin(), host.err.end(), '\n'), 1) << host.err;
  EXPECT_THAT(host.err, HasSubstr("UTF-16"));
  EXPECT_EQ(host.err.find('\0'), std::string::npos);
}

TEST_F(Velmocfg, ProfileOfAnotherModelIsRefusedAndAnotherFirmwareWarned) {
  Printer& printer = Add("Velmo A");
  host.files["p"] = "# model: Velmo LT80\n# firmware: 1.0\nPRINT_MODE=1\n";
  EXPECT_EQ(host.Run({"import", "p"}), 2);
  EXPECT_THAT(host.err, HasSubstr("the profile is for a Velmo LT80, the printer is a Velmo LT42"));
  EXPECT_EQ(printer.writes, 0);
  host.files["p"] = "# model: Velmo LT42\n# firmware: 1.0\nPRINT_MODE=1\n";
  EXPECT_EQ(host.Run({"import", "p"}), 0) << host.err;
  EXPECT_THAT(host.err, HasSubstr("made with firmware 1.0, the printer has 2.1.7"));
  host.files["p"] = "# model: Velmo LT80\nPRINT_MODE=2\n";
  EXPECT_EQ(host.Run({"import", "p", "-any-model"}), 0) << host.err;
}

TEST_F(Velmocfg, ExitCodesOfDiffShowAndGet) {
  Printer& printer = Add("Velmo A");
  host.files["same"] = "PRINT_MODE=0\n";
  host.files["other"] = "PRINT_MODE=1\n";
  EXPECT_EQ(host.Run({"diff", "same"}), 0);
  EXPECT_EQ(host.Run({"diff", "other"}), 1);
  printer.firmware.SetCurrent("LAN_ENABLED", int32_t{0});
  EXPECT_EQ(host.Run({"get", "LAN_CONFIG_IPADDRESS"}), 2);
  EXPECT_THAT(host.err, HasSubstr("this printer has no wired network"));
  // A printer that stops answering halfway through the read.
  printer.unplug_after_reads = printer.reads + 20;
  EXPECT_EQ(host.Run({"show", "-json"}), 4);
  EXPECT_THAT(host.out, HasSubstr("\"unread_keys\":[\"VERSION\",\"VERSION_CMD\"]"));
  EXPECT_THAT(host.err, HasSubstr("did not answer (reading VERSION, VERSION_CMD)"));
}

TEST_F(Velmocfg, FleetRunsReportEveryPrinterAndTheWorstCode) {
  Add("Velmo A");
  Add("Velmo B").firmware.ignored_writes = {"PRINT_MODE"};
  Add("Velmo C").firmware.SetCurrent("PRINT_MODE", int32_t{2});
  host.same_device["Velmo A (copy)"] = "Velmo A";
  host.files["p"] = "PRINT_MODE=2\n";
  EXPECT_EQ(host.Run({"list"}), 0);
  EXPECT_EQ(host.out, "Velmo A\tVelmo LT42\t2.1.7\nVelmo B\tVelmo LT42\t2.1.7\nVelmo C\tVelmo LT42\t2.1.7\n");
  EXPECT_EQ(host.Run({"import", "p", "-all", "-dry-run"}), 0);
  EXPECT_EQ(host.out, "Velmo A: PRINT_MODE: 0 -> 2\nVelmo B: PRINT_MODE: 0 -> 2\nVelmo C: nothing to change\n"
                      "3 printers: 2 dry run, 1 nothing to change\n");
  EXPECT_EQ(host.Run({"import", "p", "-all"}), 5);
  EXPECT_THAT(host.out, HasSubstr("3 printers: 1 saved and verified, 1 nothing to change, 1 failed (Velmo B: exit 5)"));
  EXPECT_EQ(host.Run({"import", "p", "-all", "-json"}), 5);
  EXPECT_THAT(host.out, HasSubstr("{\"name\":\"Velmo B\",\"model\":\"Velmo LT42\",\"firmware\":\"2.1.7\","
                                  "\"outcome\":\"not taken\",\"exit_code\":5,\"changed\":[\"PRINT_MODE\"],"
                                  "\"not_taken\":[\"PRINT_MODE\"]"));
  EXPECT_THAT(host.out, HasSubstr("\"exit_code\":5,\"summary\":\"3 printers:"));

  host.printers["Velmo B"].device.plugged = false;
  EXPECT_EQ(host.Run({"export", "backup", "-all"}), 0);
  EXPECT_EQ(host.files.count("backup/Velmo A.profile"), 1u);
  EXPECT_EQ(host.files.count("backup/Velmo C.profile"), 1u);
  EXPECT_EQ(host.files.count("backup/Velmo A (copy).profile"), 0u);
}

TEST_F(Velmocfg, KeepAndFleetLeaveEachPrintersOwnSettings) {
  Printer& first = Add("Velmo A");
  Printer& second = Add("Velmo B");
  first.firmware.SetCurrent("LAN_CONFIG_IPADDRESS", std::vector<uint8_t>{10, 0, 0, 5});
  first.firmware.SetCurrent("BLUETOOTH_NAME", std::string("Dock 1"));
  first.firmware.SetCurrent("PRINT_MODE", int32_t{1});
  second.firmware.SetCurrent("LAN_CONFIG_IPADDRESS", std::vector<uint8_t>{10, 0, 0, 6});
  ASSERT_EQ(host.Run({"export", "fleet", "-fleet", "-printer:Velmo A"}), 0);
  EXPECT_THAT(host.files["fleet"], Not(HasSubstr("LAN_CONFIG_IPADDRESS=")));
  EXPECT_THAT(host.files["fleet"], Not(HasSubstr("BLUETOOTH_NAME=")));
  ASSERT_EQ(host.Run({"export", "full", "-printer:Velmo A"}), 0);
  ASSERT_EQ(host.Run({"import", "full", "-printer:Velmo B", "-keep:LAN_CONFIG_IPADDRESS,BLUETOOTH_NAME"}), 0)
      << host.err;
  EXPECT_EQ(std::get<std::vector<uint8_t>>(*second.firmware.Current("LAN_CONFIG_IPADDRESS")),
            (std::vector<uint8_t>{10, 0, 0, 6}));
  EXPECT_EQ(std::get<std::string>(*second.firmware.Current("BLUETOOTH_NAME")), "LT42");
  EXPECT_EQ(std::get<int32_t>(*second.firmware.Current("PRINT_MODE")), 1);
  EXPECT_EQ(host.Run({"import", "full", "-keep:NO_SUCH_KEY"}), 2);
}

TEST_F(Velmocfg, PrinterHeldByAnotherProgramIsLeftAlone) {
  Printer& printer = Add("Velmo A");
  host.held.insert("Velmo A");
  host.files["p"] = "PRINT_MODE=1\n";
  EXPECT_EQ(host.Run({"import", "p"}), 4);
  EXPECT_THAT(host.err, HasSubstr("Velmo A: in use by another program"));
  EXPECT_EQ(printer.reads + printer.writes, 0);
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
  EXPECT_EQ(host.out, "Velmo A\tVelmo LT42\t2.1.7\nVelmo B\tVelmo LT42\t2.1.7\n");
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
