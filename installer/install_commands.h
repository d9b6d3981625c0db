#pragma once
// The command lines of an installation. Every program is named by its full
// path, so none is taken from a folder that others may write to (the
// current folder, the installer's own for a system tool). A command line
// that would be longer than kMaxCommandLength is not built at all.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

// Room for two full paths of MAX_PATH characters and the arguments; counted
// in UTF-8 bytes, so never fewer than the UTF-16 characters the platform sees.
constexpr std::size_t kMaxCommandLength = 1023;

// Native processor architectures (GetNativeSystemInfo) that take the x64 tools.
constexpr int kArchitectureX64 = 9;
constexpr int kArchitectureItanium = 6;

constexpr char kUsbPrinterClassPattern[] = "*class_07*";
constexpr char kDriverSetupProgram[] = "Drovik.exe";
constexpr char kPortScript[] = "prnport.vbs";

// Where the started programs come from: the platform's tools from the system
// folder, the package's own from the program's folder. Both end with their
// separator.
struct ToolFolders {
  std::string system;
  std::string program;
  // An unknown folder would leave a bare name, looked up anywhere: no
  // command is built then.
  bool Known() const { return !system.empty() && !program.empty(); }
};

// "<folder>\<file>" in double quotes.
std::string QuotedPath(std::string_view folder, std::string_view file);

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

// The script host and printui's entry with the arguments of the plain
// "cscript prnport.vbs ..." and "rundll32 printui.dll ..." lines; the port
// script named by its path in the program's folder.
std::optional<std::string> PortCommand(const ToolFolders& tools, std::string_view portName, std::string_view ipText);
std::optional<std::string> QueueCommand(const ToolFolders& tools, std::string_view queueName,
                                        std::string_view portName, std::string_view modelText);
// The same tools' removals: "cscript prnport.vbs -d -r <port>" and
// "rundll32 printui.dll PrintUIEntry /q /dl /n <queue>"; nothing for a
// queue name that holds a double quote.
std::optional<std::string> RemovePortCommand(const ToolFolders& tools, std::string_view portName);
std::optional<std::string> RemoveQueueCommand(const ToolFolders& tools, std::string_view queueName);
// "control printers".
std::optional<std::string> PrintersFolderCommand(const ToolFolders& tools);

}  // namespace velmo
