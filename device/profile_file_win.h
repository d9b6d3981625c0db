#pragma once
// Profile files on disk and the date an export carries.
#include <optional>
#include <string>

namespace velmo {

// At most `limit` bytes; nothing when the file cannot be read.
std::optional<std::string> ReadProfileFile(const std::wstring& path, size_t limit);
bool WriteProfileFile(const std::wstring& path, const std::string& content);
// The local time as "YYYY-MM-DD HH:MM:SS".
std::string LocalDateTimeText();

}  // namespace velmo
