#pragma once
// Running other programs hidden, and one command line through a temporary
// batch file. Texts are UTF-8 and reach the platform as UTF-16.
#include <windows.h>

#include <optional>
#include <string>

namespace velmo {

// Starts `commandLine` (program and arguments in one) with its window shown
// as `show` (SW_...), in `workingFolder` (empty: the installer's own current
// folder); nothing when it cannot start. The caller closes both handles.
std::optional<PROCESS_INFORMATION> StartProgram(const std::string& commandLine, WORD show,
                                                const std::string& workingFolder = {});

// Runs `commandLine` with its window hidden,
// in `workingFolder` (empty: the installer's own current folder), and waits
// at most `timeoutMs`. Returns the exit code, STILL_ACTIVE (259) when it
// outlives the wait (it is left running), or -1 when it cannot start.
int RunHidden(const std::string& commandLine, DWORD timeoutMs, const std::string& workingFolder = {});

// Writes a batch file of a unique name in a private folder of this run,
// runs it with the command interpreter of the system folder for at most
// 5000 ms and deletes it. Returns RunHidden's result; -1 when there is no
// temporary folder or the file cannot be written, kNotInCodePage when the
// command line holds characters that the command interpreter's code page
// cannot (nothing runs then).
int RunBatch(const std::string& commandLine);

}  // namespace velmo
