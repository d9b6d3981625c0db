#pragma once
// The temporary batch file through which one command line runs from the
// native system folder and hands back its exit code, and the private
// folder it is written in.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// The three lines, each ended by "\n" (written as text, so the platform
// ends them its own way). `systemFolder` is the native system folder; being
// the current folder, it is where the command interpreter finds "reg".
std::string BatchFileText(std::string_view systemFolder, std::string_view commandLine);

// A folder name no other run uses: the process id and a number of this
// run's own, so two installers never share a file.
std::string PrivateFolderName(std::uint32_t processId, std::uint32_t serial);

// The folder's access: full control for the account `userSid` ("S-1-5-...")
// and for administrators and the system, nobody else, nothing inherited.
std::string PrivateFolderSddl(std::string_view userSid);

}  // namespace velmo
