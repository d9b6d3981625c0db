#pragma once
// The development build's stand-in for the spooler's forms: a forms database
// in a text file (format in forms_database.h), since the spooler of a
// development machine keeps no forms and knows no printer of ours. Every open
// reads the file, every change that the database takes writes it back, so a
// second program (or a demo script) sees the same forms.
#include <string>

#include "spooler_forms.h"

namespace velmo {

class FileSpoolerForms : public SpoolerForms {
 public:
  explicit FileSpoolerForms(std::string path) : path_(std::move(path)) {}

  // Null when the file cannot be read, is not a database or does not list
  // the printer.
  std::unique_ptr<PrinterForms> Open(std::string_view printer_name) override;

 private:
  std::string path_;
};

}  // namespace velmo
