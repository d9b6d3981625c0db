#pragma once
// Start-up of the installer: the language, the mode, and the recording of
// the language for the driver's settings program.
#include <string>
#include <vector>

#include "startup_decision.h"

namespace velmo {

// The start-up decision on this system: its user-interface language, the
// recorded "drv_language" and `arguments`.
StartupDecision DecideStartupHere(const std::vector<std::string>& arguments);

// Decides EnglishMode, UsbInstallEnabled and DriverInstallEnabled from the
// system language, the recorded "drv_language" and `arguments`, and runs the
// recording command of each "-language:" value through RunBatch.
void InitLanguage(const std::vector<std::string>& arguments);
// The same for the process's own command line.
void InitLanguage();

}  // namespace velmo
