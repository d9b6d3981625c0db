#pragma once
// What the driver's plug-in tells the settings program on its command line.
#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

struct LaunchState {
  uint32_t DialogWindow = 0;  // window handles travel as 32-bit values
  uint32_t ParentWindow = 0;
  int32_t ImageVersion = 1;
  int32_t OemuiVersion = 0;
  std::string PrinterName = "Velmo LT42";  // ANSI code page
};

// The program's own argument buffer holds 256 bytes; longer arguments are cut.
constexpr size_t kMaxArgumentLength = 255;

// Applies the arguments (index 0 is the program's path, already split and
// unquoted by the platform, in the ANSI code page) to `state`.
void ParseArguments(const std::vector<std::string>& arguments, LaunchState& state);

}  // namespace velmo
