#pragma once
// The version line of the settings window and the test-page command line.
#include <cstdint>
#include <optional>
#include <string>

namespace velmo {

// "%d.%d" of the two most significant 16-bit parts of a driver version.
std::string FormatDriverVersion(uint64_t driver_version);

// driver version, ".", ImageVersion and OemuiVersion run together, ".", the
// fourth part of the program's file version (low word of its least
// significant half). Empty when the program has no version resource.
std::string ComposeVersionText(const std::string& driver_version, int32_t image_version, int32_t oemui_version,
                             std::optional<uint32_t> file_version_ls);

std::string TestPageCommand(const std::string& printer_name);

}  // namespace velmo
