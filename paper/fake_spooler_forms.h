#pragma once
// A forms database for tests: the spooler of this machine keeps no user forms
// and knows none of our printers. Like the spooler it compares names without
// case, refuses to change or delete built-in forms and to add a name twice.
#include <set>
#include <string>
#include <vector>

#include "spooler_forms.h"

namespace velmo {

class FakeSpoolerForms : public SpoolerForms {
 public:
  std::vector<PaperForm> forms;
  std::set<std::string> printers{"Velmo LT42"};
  bool refuse_add = false;  // a full or unwilling database
  bool refuse_set = false;
  std::vector<std::string> calls;  // "Open", "Enum", "Get", "Add", "Set", "Delete", "Close" in order
  int open_printers = 0;

  std::unique_ptr<PrinterForms> Open(std::string_view printer_name) override;

  // Adds `count` built-in forms, as the spooler lists them first.
  void AddBuiltins(int count);
  const PaperForm* Find(std::string_view name) const;
};

}  // namespace velmo
