#include "launch_state.h"

#include <cstdio>
#include <string_view>

namespace velmo {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The value readers keep the variable as it was when no number can be read.
void ReadHex(const std::string& value, uint32_t& target) {
  unsigned int number = 0;
  if (std::sscanf(value.c_str(), "%x", &number) == 1) target = number;
}

void ReadDecimal(const std::string& value, int32_t& target) {
  int number = 0;
  if (std::sscanf(value.c_str(), "%d", &number) == 1) target = number;
}

}  // namespace

void ParseArguments(const std::vector<std::string>& arguments, LaunchState& state) {
  for (const std::string& raw : arguments) {
    std::string arg = raw.substr(0, kMaxArgumentLength);
    if (!arg.empty() && arg.front() == '"') arg.erase(0, 1);
    if (!arg.empty() && arg.back() == '"') arg.pop_back();
    if (arg.empty() || arg.front() != '-') continue;

    auto value_after = [&arg](std::string_view option) { return arg.substr(option.size()); };
    if (StartsWith(arg, "-hdialog:")) {
      ReadHex(value_after("-hdialog:"), state.DialogWindow);
    } else if (StartsWith(arg, "-hparent:")) {
      ReadHex(value_after("-hparent:"), state.ParentWindow);
    } else if (StartsWith(arg, "-image_ver:")) {
      ReadDecimal(value_after("-image_ver:"), state.ImageVersion);
    } else if (StartsWith(arg, "-oemui_ver:")) {
      ReadDecimal(value_after("-oemui_ver:"), state.OemuiVersion);
    } else if (StartsWith(arg, "-printer:")) {
      state.PrinterName = value_after("-printer:");
    }
  }
}

}  // namespace velmo
