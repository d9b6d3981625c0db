#pragma once
// Running other programs hidden, and one command line through a temporary
// batch file. Callers do not act on the results.
#include <windows.h>

#include <string>

namespace velmo {

// Runs `commandLine` (program and arguments in one) with its window hidden,
// in `workingFolder` (empty: the installer's own current folder), and waits
// at most `timeoutMs`. Returns the exit code, STILL_ACTIVE (259) when it
// outlives the wait (it is left running), or -1 when it cannot start.
int RunHidden(const std::string& commandLine, DWORD timeoutMs, const std::string& workingFolder = {});

// Writes "~temp.bat" in the temporary folder, runs it with RunHidden for at
// most 5000 ms and deletes it. Returns RunHidden's result, or -1 when there
// is no temporary folder or the file cannot be written (nothing runs then).
int RunBatch(const std::string& commandLine);

}  // namespace velmo
