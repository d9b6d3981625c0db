#include "version_text.h"

namespace velmo {

std::string FormatDriverVersion(uint64_t driver_version) {
  const int major = int(uint16_t(driver_version >> 48));
  const int minor = int(uint16_t(driver_version >> 32));
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string ComposeVersionText(const std::string& driver_version, int32_t image_version, int32_t oemui_version,
                             std::optional<uint32_t> file_version_ls) {
  if (!file_version_ls) return {};
  return driver_version + "." + std::to_string(image_version) + std::to_string(oemui_version) + "." +
         std::to_string(*file_version_ls & 0xFFFFu);
}

std::string TestPageCommand(const std::string& printer_name) {
  return "rundll32 printui.dll,PrintUIEntry /k /n \"" + printer_name + "\"";
}

}  // namespace velmo
