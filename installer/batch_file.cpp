#include "batch_file.h"

namespace velmo {

std::string BatchFileText(std::string_view commandLine) {
  std::string text = "cd /d C:\\Windows\\Sysnative\n";
  text.append(commandLine).append("\n");
  text.append("exit /b %errorlevel%\n");
  return text;
}

}  // namespace velmo
