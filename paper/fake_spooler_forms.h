#pragma once
// A forms database for tests: the spooler of this machine keeps no user forms
// and knows none of our printers. It keeps the spooler's rules and records
// every call.
#include <string>
#include <vector>

#include "forms_database.h"
#include "spooler_forms.h"

namespace velmo {

class FakeSpoolerForms : public SpoolerForms, public FormsDatabase {
 public:
  bool refuse_add = false;  // a full or unwilling database
  bool refuse_set = false;
  std::vector<std::string> calls;  // "Open", "Enum", "Get", "Add", "Set", "Delete", "Close" in order
  int open_printers = 0;

  std::unique_ptr<PrinterForms> Open(std::string_view printer_name) override;
};

}  // namespace velmo
