#include "startup_win.h"

#include <windows.h>

#include "english_mode.h"
#include "installation_lock_win.h"
#include "installer_state.h"
#include "registry_win.h"
#include "run_hidden_win.h"
#include "text_win.h"

namespace velmo {

StartupDecision DecideStartupHere(const std::vector<std::string>& arguments) {
  return DecideStartup(GetSystemDefaultUILanguage(), ReadMachineText(kSettingsKey, kLanguageValue), arguments);
}

void InitLanguage(const std::vector<std::string>& arguments) {
  const StartupDecision decision = DecideStartupHere(arguments);
  if (decision.english) EnglishMode = 1;  // never set back
  if (decision.fullMode) UsbInstallEnabled = DriverInstallEnabled = 1;
  // Without administrator rights the records wait for the installation's
  // elevated helper.
  if (RunsElevated()) {
    for (const std::string& command : decision.recordCommands) RunBatch(command);
  } else {
    PendingLanguageRecords = decision.recordCommands;
  }
}

void InitLanguage() { InitLanguage(Utf8Arguments()); }

}  // namespace velmo
