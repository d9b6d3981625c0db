#pragma once
// Text between the windows (UTF-16) and the spooler and driver (the ANSI
// code page).
#include <string>

namespace velmo {

std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowToAnsi(const std::wstring& wide);

}  // namespace velmo
