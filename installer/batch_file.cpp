#include "batch_file.h"

namespace velmo {

std::string BatchFileText(std::string_view systemFolder, std::string_view commandLine) {
  if (systemFolder.ends_with('\\')) systemFolder.remove_suffix(1);
  std::string text = "cd /d \"";
  text.append(systemFolder).append("\"\n");
  text.append(commandLine).append("\n");
  text.append("exit /b %errorlevel%\n");
  return text;
}

std::string PrivateFolderName(std::uint32_t processId, std::uint32_t serial) {
  return "Qindle-" + std::to_string(processId) + "-" + std::to_string(serial);
}

std::string PrivateFolderSddl(std::string_view userSid) {
  // P: the parent's entries do not reach in; OICI: files made inside inherit.
  return "D:P(A;OICI;FA;;;" + std::string(userSid) + ")(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
}

}  // namespace velmo
