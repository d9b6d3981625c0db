// Profiles come from files the user picks: any bytes must be refused or
// taken without reading or writing past a buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "printer_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const velmo::Latin1Codec codec;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const velmo::ParsedProfile profile = velmo::ParseProfile(text, codec);
  velmo::PrinterSettings printer;
  printer.values = {{"PRINT_DARKNESS_SIZE", int32_t{15}}, {"BT_ENABLED", int32_t{1}}, {"WIFI_ENABLED", int32_t{1}}};
  (void)velmo::CheckProfileForPrinter(profile.entries, printer);
  for (const auto& difference : velmo::DiffProfile(profile.entries, printer, codec)) {
    (void)velmo::DifferenceLine(difference);
  }
  return 0;
}
