#include "install_commands.h"

namespace velmo {
namespace {

std::optional<std::string> Bounded(std::string command) {
  if (command.size() > kMaxCommandLength) return std::nullopt;
  return command;
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

// A program started by its path, quoted: unquoted, a blank in the folder
// would end the program's name there for the tool's own argument split.
std::string QuotedProgram(std::string_view folder, std::string_view separator, int nativeArchitecture) {
  return Joined({"\"", folder, separator, DevconToolName(nativeArchitecture), "\""});
}

}  // namespace

std::string QuotedPath(std::string_view folder, std::string_view file) { return Joined({"\"", folder, file, "\""}); }

std::string DevconToolName(int nativeArchitecture) {
  const bool x64 = nativeArchitecture == kArchitectureX64 || nativeArchitecture == kArchitectureItanium;
  return x64 ? "devcon_x64.exe" : "devcon_x32.exe";
}

std::optional<std::string> DevconCommand(std::string_view programFolder, int nativeArchitecture,
                                         std::string_view arguments) {
  if (programFolder.empty()) return std::nullopt;
  return Bounded(Joined({QuotedProgram(programFolder, "", nativeArchitecture), " ", arguments}));
}

std::optional<std::string> DevconRescanCommand(std::string_view programFolder, int nativeArchitecture) {
  if (programFolder.empty()) return std::nullopt;
  return Bounded(Joined({QuotedProgram(programFolder, "\\", nativeArchitecture), " rescan"}));
}

std::optional<std::string> DevconRestartCommand(std::string_view programFolder, int nativeArchitecture,
                                                std::string_view pattern) {
  if (programFolder.empty()) return std::nullopt;
  return Bounded(Joined({QuotedProgram(programFolder, "\\", nativeArchitecture), " restart ", pattern}));
}

std::string NetworkPortName(std::string_view ipText) { return Joined({"IP_", ipText}); }

std::string NetworkQueueName(std::string_view modelText, std::string_view ipText) {
  return Joined({modelText, "-", ipText});
}

std::optional<std::string> PortCommand(const ToolFolders& tools, std::string_view portName, std::string_view ipText) {
  if (!tools.Known()) return std::nullopt;
  return Bounded(Joined({QuotedPath(tools.system, "cscript.exe"), " ", QuotedPath(tools.program, kPortScript),
                         " -a -r ", portName, " -h ", ipText, " -n 9100 -o raw"}));
}

std::optional<std::string> QueueCommand(const ToolFolders& tools, std::string_view queueName,
                                        std::string_view portName, std::string_view modelText) {
  if (!tools.Known()) return std::nullopt;
  return Bounded(Joined({QuotedPath(tools.system, "rundll32.exe"), " printui.dll PrintUIEntry /q /if /b \"",
                         queueName, "\" /r \"", portName, "\" /m \"", modelText, "\""}));
}

std::optional<std::string> RemovePortCommand(const ToolFolders& tools, std::string_view portName) {
  if (!tools.Known()) return std::nullopt;
  return Bounded(Joined({QuotedPath(tools.system, "cscript.exe"), " ", QuotedPath(tools.program, kPortScript),
                         " -d -r ", portName}));
}

std::optional<std::string> RemoveQueueCommand(const ToolFolders& tools, std::string_view queueName) {
  if (!tools.Known() || queueName.find('"') != std::string_view::npos) return std::nullopt;
  return Bounded(Joined({QuotedPath(tools.system, "rundll32.exe"), " printui.dll PrintUIEntry /q /dl /n \"",
                         queueName, "\""}));
}

std::optional<std::string> PrintersFolderCommand(const ToolFolders& tools) {
  if (!tools.Known()) return std::nullopt;
  return Bounded(QuotedPath(tools.system, "control.exe") + " printers");
}

}  // namespace velmo
