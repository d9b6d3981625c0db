// libFuzzer entry: the settings program's command line (arguments split at
// zero bytes). Whatever it holds, the printer name fits the program's
// 256-byte argument buffer and the values stay as they were unless an
// option names them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "launch_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1, "drv_velmo_oemui.exe");
  arguments.emplace_back();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      arguments.emplace_back();
    else
      arguments.back() += char(data[i]);
  }
  velmo::LaunchState state;
  velmo::ParseArguments(arguments, state);
  VELMO_FUZZ_CHECK(state.PrinterName.size() <= velmo::kMaxArgumentLength);

  bool namesPrinter = false, namesImageVersion = false;
  for (const std::string& argument : arguments) {
    namesPrinter |= argument.find("-printer:") <= 1;
    namesImageVersion |= argument.find("-image_ver:") <= 1;
  }
  if (!namesPrinter) VELMO_FUZZ_CHECK(state.PrinterName == "Velmo LT42");
  if (!namesImageVersion) VELMO_FUZZ_CHECK(state.ImageVersion == 1);
  return 0;
}
