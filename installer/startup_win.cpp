#include "startup_win.h"

#include <windows.h>

#include "ansi_text_win.h"
#include "english_mode.h"
#include "installer_state.h"
#include "registry_win.h"
#include "run_hidden_win.h"
#include "startup_decision.h"

namespace velmo {

void InitLanguage(const std::vector<std::string>& arguments) {
  const StartupDecision decision =
      DecideStartup(GetSystemDefaultUILanguage(), ReadMachineText(kSettingsKey, kLanguageValue), arguments);
  if (decision.english) EnglishMode = 1;  // never set back
  if (decision.fullMode) UsbInstallEnabled = DriverInstallEnabled = 1;
  for (const std::string& command : decision.recordCommands) RunBatch(command);
}

void InitLanguage() { InitLanguage(AnsiArguments()); }

}  // namespace velmo
