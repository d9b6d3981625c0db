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

std::string DevconToolName(int nativeArchitecture) {
  const bool x64 = nativeArchitecture == kArchitectureX64 || nativeArchitecture == kArchitectureItanium;
  return x64 ? "devcon_x64.exe" : "devcon_x32.exe";
}

std::optional<std::string> DevconCommand(std::string_view programFolder, int nativeArchitecture,
                                         std::string_view arguments) {
  return Bounded(Joined({QuotedProgram(programFolder, "", nativeArchitecture), " ", arguments}));
}

std::optional<std::string> DevconRescanCommand(std::string_view programFolder, int nativeArchitecture) {
  return Bounded(Joined({QuotedProgram(programFolder, "\\", nativeArchitecture), " rescan"}));
}

std::optional<std::string> DevconRestartCommand(std::string_view programFolder, int nativeArchitecture,
                                                std::string_view pattern) {
  return Bounded(Joined({QuotedProgram(programFolder, "\\", nativeArchitecture), " restart ", pattern}));
}

std::string NetworkPortName(std::string_view ipText) { return Joined({"IP_", ipText}); }

std::string NetworkQueueName(std::string_view modelText, std::string_view ipText) {
  return Joined({modelText, "-", ipText});
}

std::optional<std::string> PortCommand(std::string_view portName, std::string_view ipText) {
  return Bounded(Joined({"cscript prnport.vbs -a -r ", portName, " -h ", ipText, " -n 9100 -o raw"}));
}

std::optional<std::string> QueueCommand(std::string_view queueName, std::string_view portName,
                                        std::string_view modelText) {
  return Bounded(Joined({"rundll32 printui.dll PrintUIEntry /q /if /b \"", queueName, "\" /r \"", portName,
                         "\" /m \"", modelText, "\""}));
}

}  // namespace velmo
