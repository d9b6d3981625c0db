// Qindle: the printer installer that sits beside the driver package.
#include <windows.h>

#include "application_win.h"
#include "elevated_helper.h"
#include "elevated_helper_win.h"
#include "error_box_win.h"
#include "form1_win.h"
#include "installer_peers_win.h"
#include "installer_state.h"
#include "silent_arguments.h"
#include "silent_install_win.h"
#include "startup_win.h"
#include "text_win.h"
#include "usage_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  using namespace velmo;
  // Deployment tools run "-silent" without a window and act on the exit code.
  const std::vector<std::string> arguments = Utf8Arguments();
  // The elevated copy that a window without administrator rights starts.
  if (arguments.size() == 2 && arguments[1].starts_with(kElevatedHelperPrefix))
    return RunElevatedHelper(arguments[1].substr(kElevatedHelperPrefix.size()));
  const SilentArguments read = ReadSilentArguments(arguments);
  if (read.usage) return ShowUsage();
  if (read.uninstall) return RunUninstallation(arguments);
  if (read.silent) return RunSilentInstallation(arguments);
  // The shared lists exist already (module state); an error anywhere here,
  // a missing driver package among them, is shown and the program ends.
  toolkit::Guarded([&] {
    InitLanguage(arguments);
    toolkit::InitializeToolkit();
    Form1 = new TForm1(WindowsInstallerPeers());
    toolkit::Run(*Form1);
  });
  return ExitCode;
}
