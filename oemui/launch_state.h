#pragma once
// What the driver's plug-in tells the settings program on its command line,
// and the language decision made before any window exists.
#include <cstdint>
#include <optional>
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

// 1 for English, 0 for Chinese: only a Chinese (PRC) system stays Chinese,
// and a recorded "drv_language" naming English switches to English.
int DecideEnglishMode(uint16_t system_ui_language, const std::optional<std::string>& drv_language);

}  // namespace velmo
