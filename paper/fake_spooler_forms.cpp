#include "fake_spooler_forms.h"

#include <algorithm>
#include <cctype>

namespace velmo {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                std::tolower(static_cast<unsigned char>(y)); });
}

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
    if (auto it = Where(name); it != db_.forms.end()) return *it;
    return std::nullopt;
  }
  bool Add(const PaperForm& form) override {
    db_.calls.push_back("Add");
    if (db_.refuse_add || form.Name.empty() || Where(form.Name) != db_.forms.end()) return false;
    db_.forms.push_back(form);
    return true;
  }
  bool Set(std::string_view name, const PaperForm& form) override {
    db_.calls.push_back("Set");
    const auto it = Where(name);
    if (db_.refuse_set || it == db_.forms.end() || it->Flags == kFormBuiltin) return false;
    const std::string kept_name = it->Name;
    *it = form;
    it->Name = kept_name;
    return true;
  }
  bool Delete(std::string_view name) override {
    db_.calls.push_back("Delete");
    const auto it = Where(name);
    if (it == db_.forms.end() || it->Flags == kFormBuiltin) return false;
    db_.forms.erase(it);
    return true;
  }

 private:
  std::vector<PaperForm>::iterator Where(std::string_view name) {
    return std::find_if(db_.forms.begin(), db_.forms.end(), [name](const PaperForm& f) { return SameName(f.Name, name); });
  }
  FakeSpoolerForms& db_;
};

}  // namespace

std::unique_ptr<PrinterForms> FakeSpoolerForms::Open(std::string_view printer_name) {
  calls.push_back("Open");
  if (!printers.count(std::string(printer_name))) return nullptr;
  return std::make_unique<FakePrinter>(*this);
}

void FakeSpoolerForms::AddBuiltins(int count) {
  for (int i = 1; i <= count; ++i)
    forms.push_back({.Flags = kFormBuiltin, .Name = "Builtin " + std::to_string(i), .Width = 210000,
                     .Height = 297000, .Right = 210000, .Bottom = 297000});
}

const PaperForm* FakeSpoolerForms::Find(std::string_view name) const {
  const auto it = std::find_if(forms.begin(), forms.end(), [name](const PaperForm& f) { return SameName(f.Name, name); });
  return it == forms.end() ? nullptr : &*it;
}

}  // namespace velmo
