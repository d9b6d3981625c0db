#pragma once
// frmPrinterConfig: the dialog for the settings stored in the printer.
#include "toolkit_win.h"

namespace velmo {

class TfrmPrinterConfig : public toolkit::Form {
 public:
  TfrmPrinterConfig();
};

extern TfrmPrinterConfig* frmPrinterConfig;

}  // namespace velmo
