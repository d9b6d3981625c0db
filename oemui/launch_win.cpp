#include "launch_win.h"

#include <windows.h>

#include "english_mode.h"
#include "language_decision.h"
#include "registry_win.h"
#include "text_win.h"

namespace velmo {

LaunchState Launch;

int DecideEnglishModeFromSystem() {
  return DecideEnglishMode(GetSystemDefaultUILanguage(), ReadMachineText(kSettingsKey, kLanguageValue));
}

bool ParseCommandLine() {
  EnglishMode = DecideEnglishModeFromSystem();
  ParseArguments(AnsiArguments(), Launch);
  return Launch.DialogWindow != 0;
}

}  // namespace velmo
