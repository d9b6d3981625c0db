#pragma once
// The version line's sources on the platform: the printer driver's version
// and the program file's own version resource.
#include <string>

namespace velmo {

// "%d.%d" of the driver's version, "0.0" when it cannot be read.
std::string GetDriverVersion(const std::string& printer_name);

// The whole version text after "Ver:", empty without a version resource.
std::string BuildVersionText(const std::string& program_path);

}  // namespace velmo
