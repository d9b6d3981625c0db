#pragma once
// Running a tool hidden and capturing what it prints, and the device console
// tool that sits beside the installer.
#include <windows.h>

#include <stop_token>
#include <string>

namespace velmo {

// A tool that has not ended by then is ended: far longer than the device
// console tool needs, short enough that the window comes back.
constexpr DWORD kCapturedToolTimeoutMs = 30000;

// Runs `commandLine` hidden with its standard output and standard error in
// one pipe and collects both into `output` (at most 65,535 bytes kept; the
// rest is read and dropped so the tool never blocks). Returns the exit
// code, or -1 when it cannot start or has to be ended: after `timeoutMs`, or
// once `stop` is requested. A tool that cannot start leaves `output` as it
// was.
int RunCaptured(const std::string& commandLine, std::string& output, DWORD timeoutMs = kCapturedToolTimeoutMs,
                const std::stop_token& stop = {});

// The native processor architecture (GetNativeSystemInfo).
int NativeArchitecture();

// The device console tool for the architecture, from the program's folder,
// with `arguments`; returns what RunCaptured returns.
int RunDevcon(const std::string& arguments, std::string& output, const std::stop_token& stop = {});

}  // namespace velmo
