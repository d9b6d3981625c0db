#pragma once
// Reads of the machine-wide settings that the installer records.
#include <optional>
#include <string>

namespace velmo {

// Key under HKEY_LOCAL_MACHINE holding "drv_language".
inline constexpr char kSettingsKey[] = "SOFTWARE\\DARVOLT\\Printer";
inline constexpr char kLanguageValue[] = "drv_language";

// The value as 8-bit text read into a 256-byte buffer; nothing when the key
// or value is missing or the value does not fit.
std::optional<std::string> ReadMachineText(const char* key, const char* value);

}  // namespace velmo
