#pragma once
// The print spooler's forms database as the paper operations need it: open a
// printer by name, then list, read, add, change and delete its forms. The
// product talks to the spooler (spooler_forms_win.h); tests use a fake.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Form flags as the spooler reports them.
constexpr uint32_t kFormUser = 0;
constexpr uint32_t kFormBuiltin = 1;
constexpr uint32_t kFormPrinter = 2;

// One form at level 1; every length in thousandths of a millimetre.
struct PaperForm {
  uint32_t Flags = kFormUser;
  std::string Name;  // ANSI code page
  int32_t Width = 0, Height = 0;
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // the printable area

  bool operator==(const PaperForm&) const = default;
};

// An open printer; closing it is the destructor's job.
class PrinterForms {
 public:
  virtual ~PrinterForms() = default;
  // Every form, built-in ones included, in the spooler's order.
  virtual std::vector<PaperForm> Enum() = 0;
  virtual std::optional<PaperForm> Get(std::string_view name) = 0;
  [[nodiscard]] virtual bool Add(const PaperForm& form) = 0;
  // Stores `form` under the existing form `name`.
  [[nodiscard]] virtual bool Set(std::string_view name, const PaperForm& form) = 0;
  [[nodiscard]] virtual bool Delete(std::string_view name) = 0;
};

class SpoolerForms {
 public:
  virtual ~SpoolerForms() = default;
  // Null when the printer cannot be opened. The name is in the ANSI code page.
  virtual std::unique_ptr<PrinterForms> Open(std::string_view printer_name) = 0;
};

}  // namespace velmo
