#pragma once
// A silent installation: the arguments checked before anything runs, the
// language recorded, the address check, the USB printer looked for, and
// the window's installation sequence, each step told to the log; the
// result is the program's exit code.
#include <optional>
#include <string>
#include <vector>

#include "address_check.h"
#include "exit_codes.h"
#include "installation.h"
#include "silent_arguments.h"
#include "usb_scan.h"

namespace velmo {

// What a silent installation needs beyond the installation's peers, whose
// StepDone receives every step.
class SilentPeers {
 public:
  virtual ~SilentPeers() = default;
  virtual InstallationPeers& Installation() = 0;
  // The catalogue's model names; nothing when the driver package is missing.
  virtual std::optional<std::vector<std::string>> CatalogueModels() = 0;
  // Sends the discovery query to `address` alone and waits at most
  // kAddressCheckWaitMs for the first reply that names it.
  virtual std::optional<AddressAnswer> CheckAddress(const std::string& address,
                                                    const std::vector<std::string>& models) = 0;
  virtual const DevconRunner& Devcon() = 0;
  // The process runs with administrator rights (an elevated token).
  virtual bool Elevated() = 0;
  // It runs as the local system or a service account.
  virtual bool ServiceAccount() = 0;
  // Waits at most kInstallationLockWaitMs for any other installation on
  // this computer to end and holds the lock until the run ends; false when
  // the other still runs.
  virtual bool LockInstallation() = 0;
};

// What the start-up decision gives a silent run: whether "-language:" was
// there (the driver setup runs first) and its recording commands.
struct SilentLanguage {
  bool installDriver = false;
  std::vector<std::string> recordCommands;
};

InstallerExit RunSilentInstallation(const SilentArguments& arguments, const SilentLanguage& language,
                                 SilentPeers& peers);

}  // namespace velmo
