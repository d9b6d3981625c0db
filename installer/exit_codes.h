#pragma once
// The installer's exit codes, one table for the window and the silent
// run, and the usage text that lists them ("Qindle -?").
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "installation.h"

namespace velmo {

enum class InstallerExit : int {
  Installed = 0,            // installed; with the window, also closed without installing
  NotInstalled = 1,         // the window's message box said why; a silent run's unforeseen error
  BadArguments = 2,         // the command line only
  DriverSetupFailed = 3,    // refused, failed or outlived its limit
  NoUsbPrinter = 4,         // devcon finds no USB printer of the model
  NoQueue = 5,              // the port or the queue was not created (or not removed), or a command line could not be built
  NoDriverPackage = 6,      // no driver package beside the program
  NeedsAdministrator = 7,   // no administrator rights, or the elevation was refused
  AnotherInstallation = 8,  // another installation still ran after the wait
  RestartNeeded = 3010,     // installed; the device console tool asks for a restart
};

// What an installation that ran comes to: a silent run names the failed
// step's code, the window (which said why in its message box) says 1.
InstallerExit ExitFor(const InstallationResult& result, bool silent);

// What stops a silent run (an installation or an uninstallation, named by
// `run`) before it starts anything: no administrator rights, or another
// installation still holding the machine after the wait. Logged as a step.
std::optional<InstallerExit> RefusalBeforeStart(InstallationPeers& installation, std::string_view run, bool elevated,
                                                const std::function<bool()>& lock);

// "Qindle -?": the command lines and the table above.
std::string UsageText();

}  // namespace velmo
