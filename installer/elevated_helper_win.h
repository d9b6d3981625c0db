#pragma once
// The elevated helper on this machine: the window's side, which starts it
// with one elevation prompt, and the helper's own run.
#include <optional>
#include <string>

#include "installer_peers_win.h"

namespace velmo {

// The shell, the spooler and the clock of this machine, with the steps that
// need administrator rights run by an elevated copy of the program.
class ElevatingInstallationPeers : public WindowsInstallationPeers {
 public:
  CommandsOutcome RunAdministratorSteps(const InstallationRequest& request, const InstalledPrinters& known) override;
};

// This program started again through the shell's "runas" with
// `parameters`, hidden, and waited for.
struct ElevatedRun {
  std::string program;              // its path, UTF-8
  std::optional<int> exitCode;      // nothing when it did not start
  bool refused = false;             // the user refused the elevation
};
ElevatedRun RunThisProgramElevated(const std::string& parameters);

// The helper's run: the plan in `folder` (UTF-8, ending with its
// separator) carried out, its outcome written beside it. Returns the exit
// code: 0 once the outcome is written, 2 for a plan it does not take.
int RunElevatedHelper(const std::string& folder);

}  // namespace velmo
