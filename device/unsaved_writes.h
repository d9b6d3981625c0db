#pragma once
// The stored form of a printer's unsaved writes: one key a line. What is not
// a known key is dropped, so a damaged record cannot make a run write
// anything it would not write anyway.
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

std::vector<std::string> ParseUnsavedKeys(std::string_view text);
std::string FormatUnsavedKeys(const std::vector<std::string>& keys);

}  // namespace velmo
