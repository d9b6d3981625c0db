#include "spooler_forms_win.h"

#include <windows.h>
#include <winspool.h>

#include <array>
#include <cstddef>

namespace velmo {

namespace {

// GetFormA reads into a zeroed buffer of this size.
constexpr DWORD kFormBufferSize = 1024;

// The spooler fills these buffers with FORM_INFO_1A records (the names
// follow them) in the layout of the program's own width: 32 bytes on 32-bit
// Windows, 40 with the name pointer's alignment on 64-bit. The records are
// read in place, so the buffers must be aligned for them.
constexpr bool kPointers32 = sizeof(void*) == 4;
static_assert(sizeof(FORM_INFO_1A) == (kPointers32 ? 32 : 40));
static_assert(offsetof(FORM_INFO_1A, pName) == (kPointers32 ? 4 : 8));
static_assert(offsetof(FORM_INFO_1A, Size) == (kPointers32 ? 8 : 16));
static_assert(offsetof(FORM_INFO_1A, ImageableArea) == (kPointers32 ? 16 : 24));
static_assert(sizeof(SIZEL) == 8 && sizeof(RECTL) == 16);
static_assert(sizeof(FORM_INFO_1A) < kFormBufferSize);
// EnumFormsA's buffer comes from operator new, aligned for any record.
static_assert(alignof(FORM_INFO_1A) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

PaperForm FormOf(const FORM_INFO_1A& info) {
  return {.Flags = info.Flags, .Name = info.pName ? info.pName : "", .Width = info.Size.cx, .Height = info.Size.cy,
          .Left = info.ImageableArea.left, .Top = info.ImageableArea.top, .Right = info.ImageableArea.right,
          .Bottom = info.ImageableArea.bottom};
}

// The record handed to the spooler; it borrows `name`, which must outlive it.
FORM_INFO_1A InfoOf(const PaperForm& form, std::string& name) {
  name = form.Name;
  return {form.Flags, name.data(), {form.Width, form.Height}, {form.Left, form.Top, form.Right, form.Bottom}};
}

class WinPrinterForms : public PrinterForms {
 public:
  explicit WinPrinterForms(HANDLE printer) : printer_(printer) {}
  ~WinPrinterForms() override { ClosePrinter(printer_); }
  WinPrinterForms(const WinPrinterForms&) = delete;
  WinPrinterForms& operator=(const WinPrinterForms&) = delete;

  std::vector<PaperForm> Enum() override {
    DWORD needed = 0, count = 0;
    EnumFormsA(printer_, 1, nullptr, 0, &needed, &count);
    if (needed == 0) return {};
    std::vector<BYTE> buffer(needed);
    if (!EnumFormsA(printer_, 1, buffer.data(), needed, &needed, &count)) return {};
    const auto* infos = reinterpret_cast<const FORM_INFO_1A*>(buffer.data());
    std::vector<PaperForm> forms;
    forms.reserve(count);
    for (DWORD i = 0; i < count; ++i) forms.push_back(FormOf(infos[i]));
    return forms;
  }

  std::optional<PaperForm> Get(std::string_view name) override {
    std::string key(name);
    alignas(FORM_INFO_1A) std::array<BYTE, kFormBufferSize> buffer{};
    DWORD needed = 0;
    if (!GetFormA(printer_, key.data(), 1, buffer.data(), kFormBufferSize, &needed)) return std::nullopt;
    return FormOf(*reinterpret_cast<const FORM_INFO_1A*>(buffer.data()));
  }

  bool Add(const PaperForm& form) override {
    std::string name;
    FORM_INFO_1A info = InfoOf(form, name);
    return AddFormA(printer_, 1, reinterpret_cast<LPBYTE>(&info)) != FALSE;
  }

  bool Set(std::string_view name, const PaperForm& form) override {
    std::string key(name), stored_name;
    FORM_INFO_1A info = InfoOf(form, stored_name);
    return SetFormA(printer_, key.data(), 1, reinterpret_cast<LPBYTE>(&info)) != FALSE;
  }

  bool Delete(std::string_view name) override {
    std::string key(name);
    return DeleteFormA(printer_, key.data()) != FALSE;
  }

 private:
  HANDLE printer_;
};

}  // namespace

std::unique_ptr<PrinterForms> WinSpoolerForms::Open(std::string_view printer_name) {
  std::string name(printer_name);
  HANDLE printer = nullptr;
  if (!OpenPrinterA(name.data(), &printer, nullptr)) return nullptr;
  return std::make_unique<WinPrinterForms>(printer);
}

}  // namespace velmo
