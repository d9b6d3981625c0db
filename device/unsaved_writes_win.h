#pragma once
// A printer's unsaved writes, kept in a small file of the user's local
// application data, named after the printer's device, so that the dialog and
// velmocfg see the same record.
#include <memory>
#include <string_view>

#include "printer_apply.h"

namespace velmo {

std::unique_ptr<UnsavedWrites> UnsavedWritesFile(std::string_view ansi_printer_name);

}  // namespace velmo
