#pragma once
// Conversions between the ANSI code page, in which the installer's platform
// calls take 8-bit text, and the UTF-16 text that windows show.
#include <string>

namespace velmo {

std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowToAnsi(const std::wstring& wide);

}  // namespace velmo
