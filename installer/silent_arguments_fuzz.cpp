// libFuzzer entry: a silent installation or an uninstallation from
// Qindle's command line (arguments split at zero bytes) against recorded
// peers. Only "-silent" exactly makes the run silent; bad arguments run
// nothing; every command line that runs fits its buffer and carries its
// values as whole, quoted arguments.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "install_commands.h"
#include "recorded_installation_peers.h"
#include "silent_install.h"
#include "startup_decision.h"
#include "uninstall.h"

namespace {

using namespace velmo;

class FuzzPeers : public SilentPeers {
 public:
  InstallationPeers& Installation() override { return installation; }
  std::optional<std::vector<std::string>> CatalogueModels() override {
    return std::vector<std::string>{"Velmo LT42", "Velmo LT43"};
  }
  std::optional<AddressAnswer> CheckAddress(const std::string&, const std::vector<std::string>&) override {
    return std::nullopt;
  }
  const DevconRunner& Devcon() override { return devcon; }
  bool Elevated() override { return true; }
  bool ServiceAccount() override { return false; }
  bool LockInstallation() override { return true; }

  RecordedPeers installation;
  DevconRunner devcon = [](const std::string&, std::string& output) {
    output = "USBPRINT\\VELMOLT42\\7&2&0&USB001\r\n    Name: Velmo LT42\r\n1 matching device(s) found.\r\n";
    return 0;
  };
};

class FuzzUninstallPeers : public UninstallPeers {
 public:
  explicit FuzzUninstallPeers(RecordedPeers& installation) : installation_(installation) {}
  InstallationPeers& Installation() override { return installation_; }
  bool Elevated() override { return true; }
  bool LockInstallation() override { return true; }
  std::optional<std::string> RecordedPort(const std::string& key) override {
    return key.size() % 2 ? std::optional<std::string>("IP_10.0.0.5") : std::nullopt;
  }
  bool DeleteRecord(const std::string&) override { return true; }

 private:
  RecordedPeers& installation_;
};

void CheckCommandsThatRan(const std::vector<std::string>& steps) {
  for (const std::string& step : steps) {
    // "hidden <ms> [in <folder>] <command>"; the folder ends with "\\".
    if (!step.starts_with("hidden ")) continue;
    const std::size_t folderEnd = step.find("\\ ");
    const std::string command = step.substr(folderEnd == std::string::npos ? step.find(' ', 7) + 1 : folderEnd + 2);
    VELMO_FUZZ_CHECK(command.size() <= kMaxCommandLength);
    VELMO_FUZZ_CHECK(std::ranges::none_of(command, [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
    // The program's and the script's paths quoted, and the names: three to
    // add a queue, one to remove it.
    const bool removal = command.find(" -d ") != std::string::npos || command.find(" /dl ") != std::string::npos;
    if (command.starts_with(QuotedPath(kRecordedSystemFolder, "rundll32.exe")))
      VELMO_FUZZ_CHECK(std::ranges::count(command, '"') == (removal ? 4 : 8));
    if (command.starts_with(QuotedPath(kRecordedSystemFolder, "cscript.exe")))
      VELMO_FUZZ_CHECK(std::ranges::count(command, '"') == 4);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      arguments.emplace_back();
    else
      arguments.back() += char(data[i]);
  }
  const SilentArguments read = ReadSilentArguments(arguments);
  VELMO_FUZZ_CHECK(read.silent == std::ranges::any_of(arguments, [](const std::string& argument) {
                     return ReadArgument(argument) == "-silent";
                   }));
  FuzzPeers peers;
  if (read.uninstall) {
    // A queue of the same name as the one removed is there, on the port.
    peers.installation.queues = {{read.queue.value_or(""), "IP_10.0.0.5", "Velmo LT42", 0}};
    FuzzUninstallPeers uninstall(peers.installation);
    const InstallerExit exit = RunUninstall(read, uninstall);
    if (exit == InstallerExit::BadArguments) VELMO_FUZZ_CHECK(peers.installation.steps.empty());
  } else {
    const StartupDecision decision = DecideStartup(0x0804, std::nullopt, arguments);
    const InstallerExit exit = RunSilentInstallation(read, {decision.fullMode, decision.recordCommands}, peers);
    if (exit == InstallerExit::BadArguments) VELMO_FUZZ_CHECK(peers.installation.steps.empty());
  }
  CheckCommandsThatRan(peers.installation.steps);
  return 0;
}
