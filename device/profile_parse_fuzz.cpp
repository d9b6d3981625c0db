// Profiles come from files the user picks: any bytes must be refused or
// taken, each line once, without reading or writing past a buffer, and what
// is taken must fit one request frame.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "printer_profile.h"
#include "usb_frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const velmo::Latin1Codec codec;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const velmo::ParsedProfile profile = velmo::ParseProfileFile(text, codec);
  // A UTF-16 profile has as many lines as its bytes hold line feeds, at most.
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  VELMO_FUZZ_CHECK(profile.entries.size() + profile.errors.size() <= static_cast<size_t>(lines));
  for (const velmo::ProfileEntry& entry : profile.entries) {
    VELMO_FUZZ_CHECK(entry.line >= 1 && entry.line <= lines);
    VELMO_FUZZ_CHECK(entry.setting.key->save != velmo::SettingSave::kNone);
    if (const auto* value = std::get_if<std::string>(&entry.setting.value)) {
      VELMO_FUZZ_CHECK(velmo::BuildWriteText(entry.setting.key->key, *value).has_value());
    }
  }
  for (const velmo::ProfileError& error : profile.errors) VELMO_FUZZ_CHECK(error.line >= 0 && error.line <= lines);

  velmo::PrinterSettings printer;
  printer.values = {{"PRINT_DARKNESS_SIZE", int32_t{15}}, {"BT_ENABLED", int32_t{1}}, {"WIFI_ENABLED", int32_t{1}}};
  (void)velmo::CheckProfileForPrinter(profile.entries, printer);
  for (const auto& difference : velmo::DiffProfile(profile.entries, printer, codec, false)) {
    (void)velmo::DifferenceLine(difference);
  }
  return 0;
}
