#pragma once
// Start-up of the settings program: the language decision and the command
// line, read from the platform.
#include "launch_state.h"

namespace velmo {

// The program's launch state, filled once by ParseCommandLine.
extern LaunchState Launch;

// Decides EnglishMode, then parses the process's command line into Launch.
// True when a dialog window was named.
bool ParseCommandLine();

// The language decision alone, from the system language and the registry.
int DecideEnglishModeFromSystem();

}  // namespace velmo
