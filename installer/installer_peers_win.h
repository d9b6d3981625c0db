#pragma once
// What Form1 reaches outside the program: the device console tool, the local
// host's addresses, and the shell and the spooler of an installation. Tests
// hand the window their own.
#include <optional>
#include <vector>

#include "discovery_pass.h"
#include "installation.h"

namespace velmo {

struct InstallerPeers {
  // Both are called on a discovery pass's own thread.
  StoppableDevconRunner devcon;
  HostAddressLookup hostAddresses;
  InstallationPeers& installation;
};

// The local host's IPv4 addresses in the order the resolver gives them
// (gethostname, gethostbyname); nothing when they cannot be had.
std::optional<std::vector<Ipv4Address>> LocalHostAddresses();

// The shell, the spooler and the clock of this machine.
class WindowsInstallationPeers : public InstallationPeers {
 public:
  std::string ProgramFolder() override;
  std::string SystemToolsFolder() override;
  int NativeArchitecture() override;
  int RunElevated(const std::string& file, const std::string& folder, std::optional<unsigned> limitMs) override;
  int RunHidden(const std::string& commandLine, unsigned timeoutMs, const std::string& workingFolder) override;
  int RunBatch(const std::string& commandLine) override;
  void Start(const std::string& commandLine) override;
  std::optional<std::vector<PrinterQueue>> LocalQueues() override;
  void MakeDefaultPrinter(const std::string& printerName) override;
  bool RecordInstallation(const std::string& key, const std::string& model, const std::string& port,
                          const std::string& address) override;
  std::uint32_t Ticks() override;
  void Pause(unsigned ms) override;
};

// The real tool, resolver and installation peers.
const InstallerPeers& WindowsInstallerPeers();

}  // namespace velmo
