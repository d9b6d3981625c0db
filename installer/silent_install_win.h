#pragma once
// The silent installation on this machine: started by "-silent", it shows
// no window and ends the program with its exit code.
#include <string>
#include <vector>

namespace velmo {

// Runs the silent installation for `arguments` (index 0 the program) and
// returns the exit code. Every step is appended to the "-log:" file, or to
// "Qindle.log" in the temporary folder.
int RunSilentInstallation(const std::vector<std::string>& arguments);

// "-uninstall -queue:NAME": removes the queue, its port when unused and its
// install record, logged in the same way, and returns the exit code. Without
// administrator rights it starts nothing and ends with 7; without
// "-silent" a message box says so first.
int RunUninstallation(const std::vector<std::string>& arguments);

}  // namespace velmo
