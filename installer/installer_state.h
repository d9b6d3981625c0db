#pragma once
// Qindle's process-wide state: the start-up flags, fixed once before the
// window exists, and the shared lists, which live for the whole run.
#include <string>
#include <vector>

#include "text_list.h"

namespace velmo {

// 1: the USB printer choice is offered and discovery searches USB printers.
extern int UsbInstallEnabled;
// 1: every installation first runs the driver setup program.
extern int DriverInstallEnabled;

// The program's exit code (an InstallerExit): set by an installation, 0
// while none has run.
extern int ExitCode;

// Language records that wait for the installation (no administrator rights
// at start).
extern std::vector<std::string> PendingLanguageRecords;

// The first word of each catalogue model, each once.
extern TextList BrandWords;
// The USB printers found by the latest search, position for position.
extern TextList UsbDeviceIds;
extern TextList UsbDeviceNames;

}  // namespace velmo
