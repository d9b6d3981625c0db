#include "exit_codes.h"

namespace velmo {

InstallerExit ExitFor(const InstallationResult& result, bool silent) {
  if (result.outcome != InstallationOutcome::Finished) return InstallerExit::BadArguments;
  if (result.Installed()) return result.restartNeeded ? InstallerExit::RestartNeeded : InstallerExit::Installed;
  if (result.failedStep == InstallationStep::Elevation) return InstallerExit::NeedsAdministrator;
  if (!silent) return InstallerExit::NotInstalled;
  return result.failedStep == InstallationStep::DriverSetup ? InstallerExit::DriverSetupFailed
                                                            : InstallerExit::NoQueue;
}

std::string UsageText() {
  return "Qindle installs one Velmo printer.\r\n"
         "\r\n"
         "  Qindle [-language:english|chinese]\r\n"
         "  Qindle -silent -model:NAME (-ip:ADDRESS | -usb) [-language:VALUE] [-nodefault] [-log:PATH]\r\n"
         "  Qindle -uninstall -queue:NAME [-silent] [-log:PATH]\r\n"
         "  Qindle -?\r\n"
         "\r\n"
         "From a command prompt, start it with \"start /wait\" to wait for its exit code.\r\n"
         "\r\n"
         "Exit codes:\r\n"
         "     0  installed; or uninstalled (also when nothing was there)\r\n"
         "     1  not installed (the window said why)\r\n"
         "     2  bad arguments\r\n"
         "     3  the driver setup was refused, failed or timed out\r\n"
         "     4  no USB printer of the model\r\n"
         "     5  the port or the queue was not created; or the queue was not removed\r\n"
         "     6  the driver package is missing\r\n"
         "     7  administrator rights are needed\r\n"
         "     8  another installation is running\r\n"
         "  3010  installed; restart the computer\r\n";
}

std::optional<InstallerExit> RefusalBeforeStart(InstallationPeers& installation, std::string_view run, bool elevated,
                                                const std::function<bool()>& lock) {
  if (!elevated) {
    installation.StepDone("rights", "",
                          "administrator rights are needed: start the " + std::string(run) +
                              " elevated, as an administrator or as the system account; nothing was started");
    return InstallerExit::NeedsAdministrator;
  }
  if (!lock()) {
    installation.StepDone("another installation", "",
                          "still running after " + std::to_string(kInstallationLockWaitMs) +
                              " ms; nothing was started");
    return InstallerExit::AnotherInstallation;
  }
  return std::nullopt;
}

}  // namespace velmo
