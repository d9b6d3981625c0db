#pragma once
// The installer keeps its texts (paths, command lines, names) as UTF-8 and
// hands them to the wide Windows calls, so that a folder or a user name in
// any script works on a system of any code page.
#include <optional>
#include <string>
#include <vector>

namespace velmo {

std::wstring WidenUtf8(const std::string& utf8);
std::string NarrowToUtf8(const std::wstring& wide);

// The text in the ANSI (CP_ACP) or OEM (CP_OEMCP) code page, for a peer that
// reads only 8-bit text; nothing when that code page cannot hold it.
std::optional<std::string> ToCodePage(const std::string& utf8, unsigned codePage);

// The process's arguments as the platform splits them, index 0 the program.
std::vector<std::string> Utf8Arguments();

}  // namespace velmo
