#pragma once
// Start-up of the installer: the language, the mode, and the recording of
// the language for the driver's settings program.
#include <string>
#include <vector>

namespace velmo {

// Decides EnglishMode, UsbInstallEnabled and DriverInstallEnabled from the
// system language, the recorded "drv_language" and `arguments`, and runs the
// recording command of each "-language:" value through RunBatch.
void InitLanguage(const std::vector<std::string>& arguments);
// The same for the process's own command line.
void InitLanguage();

}  // namespace velmo
