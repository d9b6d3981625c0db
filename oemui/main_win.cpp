// drv_velmo_oemui: started by the printer driver's user-interface plug-in
// with the handles of its page on the command line.
#include <windows.h>

#include "about_form_win.h"
#include "application_win.h"
#include "dpi_awareness_win.h"
#include "driver_channel.h"
#include "driver_transport_win.h"
#include "edit_paper_form_win.h"
#include "error_box_win.h"
#include "launch_win.h"
#include "main_form_win.h"
#include "printer_config_form_win.h"
#include "printer_config_peers_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  using namespace velmo;
  // Without a dialog window to talk to there is nothing to do, and nothing
  // is shown.
  if (!ParseCommandLine()) return 0;
  int result = 0;
  toolkit::Guarded([&] {
    toolkit::InitializeToolkit();
    // Scaled as the page that holds us is, whatever the manifest says.
    toolkit::MatchThreadDpiAwareness(WindowFromValue(Launch.ParentWindow));
    frmMain = new TfrmMain();
    frmEditPaper = new TfrmEditPaper();
    frmAbout = new TfrmAbout(
        {[](const std::string& keyword, const std::string& option) { Driver().SetFeatureOption(keyword, option); },
         OpenDebugFolder});
    SetPrinterConfigPrinterName(Launch.PrinterName);
    frmPrinterConfig = new TfrmPrinterConfig();
    result = toolkit::Run(*frmMain);
  });
  return result;
}
