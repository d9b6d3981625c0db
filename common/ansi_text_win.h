#pragma once
// Conversions between the ANSI code page, in which platform calls, the
// driver channel and the printer take 8-bit text, and the UTF-16 text that
// windows show.
#include <string>
#include <vector>

namespace velmo {

std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowToAnsi(const std::wstring& wide);

// The process's arguments as the platform splits them, in the ANSI code page.
std::vector<std::string> AnsiArguments();

}  // namespace velmo
