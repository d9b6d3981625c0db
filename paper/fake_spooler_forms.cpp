#include "fake_spooler_forms.h"

namespace velmo {

namespace {

class FakePrinter : public PrinterForms {
 public:
  explicit FakePrinter(FakeSpoolerForms& db) : db_(db) { ++db_.open_printers; }
  ~FakePrinter() override {
    db_.calls.push_back("Close");
    --db_.open_printers;
  }

  std::vector<PaperForm> Enum() override {
    db_.calls.push_back("Enum");
    return db_.forms;
  }
  std::optional<PaperForm> Get(std::string_view name) override {
    db_.calls.push_back("Get");
    if (const PaperForm* form = db_.Find(name)) return *form;
    return std::nullopt;
  }
  bool Add(const PaperForm& form) override {
    db_.calls.push_back("Add");
    return !db_.refuse_add && db_.Add(form);
  }
  bool Set(std::string_view name, const PaperForm& form) override {
    db_.calls.push_back("Set");
    return !db_.refuse_set && db_.Set(name, form);
  }
  bool Delete(std::string_view name) override {
    db_.calls.push_back("Delete");
    return db_.Delete(name);
  }

 private:
  FakeSpoolerForms& db_;
};

}  // namespace

std::unique_ptr<PrinterForms> FakeSpoolerForms::Open(std::string_view printer_name) {
  calls.push_back("Open");
  if (!printers.count(std::string(printer_name))) return nullptr;
  return std::make_unique<FakePrinter>(*this);
}

}  // namespace velmo
