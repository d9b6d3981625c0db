#pragma once
// The folder the installer takes the platform's own tools from (the script
// host, rundll32, control, and the command interpreter's "reg"): the native
// system folder, "Sysnative" for a 32-bit process on 64-bit Windows, so the
// 64-bit tools set up the printer. A development build may name another
// folder in VELMO_DEV_TOOLS_DIR; a release build has no such switch.
#include <string>

namespace velmo {

// UTF-8, ending with its separator.
std::string SystemToolsFolder();

// The native system folder alone, whatever the build: where the batch of a
// recorded language runs.
std::string NativeSystemFolder();

}  // namespace velmo
