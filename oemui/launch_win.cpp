#include "launch_win.h"

#include <windows.h>
#include <shellapi.h>

#include "english_mode.h"
#include "registry_win.h"

namespace velmo {

LaunchState Launch;

int DecideEnglishModeFromSystem() {
  return DecideEnglishMode(GetSystemDefaultUILanguage(), ReadMachineText(kSettingsKey, kLanguageValue));
}

std::vector<std::string> AnsiArguments() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> arguments;
  for (int i = 0; argv && i < argc; ++i) {
    const int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(size_t(n > 0 ? n : 1), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    arg.resize(arg.size() - 1);  // the terminating zero
    arguments.push_back(std::move(arg));
  }
  LocalFree(argv);
  return arguments;
}

bool ParseCommandLine() {
  EnglishMode = DecideEnglishModeFromSystem();
  ParseArguments(AnsiArguments(), Launch);
  return Launch.DialogWindow != 0;
}

}  // namespace velmo
