#pragma once
// The command lines of an installation. Each is built in a buffer of 256
// characters; one that would not fit is not built at all.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

constexpr std::size_t kMaxCommandLength = 255;

// Native processor architectures (GetNativeSystemInfo) that take the x64 tools.
constexpr int kArchitectureX64 = 9;
constexpr int kArchitectureItanium = 6;

constexpr char kUsbPrinterClassPattern[] = "*class_07*";
constexpr char kPrintersFolderCommand[] = "control printers";
constexpr char kDriverSetupProgram[] = "Drovik.exe";

// "devcon_x64.exe" or "devcon_x32.exe".
std::string DevconToolName(int nativeArchitecture);

// The tool's path in double quotes, then its arguments. `programFolder` ends
// with its separator. The status command joins folder and tool directly;
// rescan and restart put another "\" between (read as one).
std::optional<std::string> DevconCommand(std::string_view programFolder, int nativeArchitecture,
                                         std::string_view arguments);
std::optional<std::string> DevconRescanCommand(std::string_view programFolder, int nativeArchitecture);
std::optional<std::string> DevconRestartCommand(std::string_view programFolder, int nativeArchitecture,
                                                std::string_view pattern);

// "IP_<ip>" and "<model>-<ip>", with the texts exactly as entered.
std::string NetworkPortName(std::string_view ipText);
std::string NetworkQueueName(std::string_view modelText, std::string_view ipText);

std::optional<std::string> PortCommand(std::string_view portName, std::string_view ipText);
std::optional<std::string> QueueCommand(std::string_view queueName, std::string_view portName,
                                        std::string_view modelText);

}  // namespace velmo
