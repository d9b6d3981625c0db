#pragma once
// The spooler's forms database through winspool (OpenPrinterA and the
// ...FormA calls at level 1).
#include "spooler_forms.h"

namespace velmo {

class WinSpoolerForms : public SpoolerForms {
 public:
  std::unique_ptr<PrinterForms> Open(std::string_view printer_name) override;
};

}  // namespace velmo
