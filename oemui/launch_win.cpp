#include "launch_win.h"

#include <windows.h>

#include "ansi_text_win.h"
#include "english_mode.h"
#include "language_decision.h"
#include "registry_win.h"

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
