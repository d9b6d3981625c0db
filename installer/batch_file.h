#pragma once
// The temporary batch file through which one command line runs from the
// native system folder and hands back its exit code.
#include <string>
#include <string_view>

namespace velmo {

constexpr char kBatchFileName[] = "~temp.bat";

// The three lines, each ended by "\n" (written as text, so the platform
// ends them its own way).
std::string BatchFileText(std::string_view commandLine);

}  // namespace velmo
