#pragma once
// Conversions between the UTF-16 text of the Windows calls and 8-bit text:
// the ANSI code page, in which the driver channel, the printer and 8-bit
// platform calls take it, and UTF-8, in which the installer and velmocfg
// keep paths and names so that any script works on a system of any code
// page.
#include <optional>
#include <string>
#include <vector>

namespace velmo {

std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowToAnsi(const std::wstring& wide);
std::wstring WidenUtf8(const std::string& utf8);
std::string NarrowToUtf8(const std::wstring& wide);

// The text in the ANSI (CP_ACP) or OEM (CP_OEMCP) code page, for a peer that
// reads only 8-bit text; nothing when that code page cannot hold it.
std::optional<std::string> ToCodePage(const std::string& utf8, unsigned codePage);

// The process's arguments as the platform splits them, index 0 the
// program, in the ANSI code page or in UTF-8.
std::vector<std::string> AnsiArguments();
std::vector<std::string> Utf8Arguments();

}  // namespace velmo
