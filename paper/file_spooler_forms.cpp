#include "file_spooler_forms.h"

#include <fstream>
#include <sstream>

#include "forms_database.h"

namespace velmo {

namespace {

class FilePrinterForms : public PrinterForms {
 public:
  FilePrinterForms(std::string path, FormsDatabase database) : path_(std::move(path)), db_(std::move(database)) {}

  std::vector<PaperForm> Enum() override { return db_.forms; }
  std::optional<PaperForm> Get(std::string_view name) override {
    if (const PaperForm* form = db_.Find(name)) return *form;
    return std::nullopt;
  }
  bool Add(const PaperForm& form) override { return Keep([&](FormsDatabase& db) { return db.Add(form); }); }
  bool Set(std::string_view name, const PaperForm& form) override {
    return Keep([&](FormsDatabase& db) { return db.Set(name, form); });
  }
  bool Delete(std::string_view name) override { return Keep([&](FormsDatabase& db) { return db.Delete(name); }); }

 private:
  // Runs a change on a copy and keeps it only when the file took it too, so
  // that memory and file never differ.
  template <class Change>
  bool Keep(Change change) {
    FormsDatabase changed = db_;
    if (!change(changed)) return false;
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file << FormsDatabaseText(changed);
    file.close();
    if (!file) return false;
    db_ = std::move(changed);
    return true;
  }

  std::string path_;
  FormsDatabase db_;
};

}  // namespace

std::unique_ptr<PrinterForms> FileSpoolerForms::Open(std::string_view printer_name) {
  std::ifstream file(path_, std::ios::binary);
  if (!file) return nullptr;
  std::ostringstream text;
  text << file.rdbuf();
  std::string error;
  auto database = ParseFormsDatabase(text.str(), error);
  if (!database || !database->printers.count(std::string(printer_name))) return nullptr;
  return std::make_unique<FilePrinterForms>(path_, std::move(*database));
}

}  // namespace velmo
