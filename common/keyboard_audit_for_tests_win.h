#pragma once
// Tests check a window's keyboard design: the order of its controls and its
// Alt keys.
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "mnemonic.h"
#include "toolkit_win.h"

namespace velmo::test {

inline std::string Utf8(const std::wstring& text) {
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}

// The Tab key and screen readers follow the design order, which must read
// top to bottom, left to right: of two visible siblings, the later is
// neither wholly above the earlier nor, in the same row, wholly left of it.
// The pages of a page control lie on one another; each is checked inside.
// Run on a shown window, where every control has its place.
inline void CollectOrderFaults(const toolkit::Container& parent, std::vector<std::string>& faults) {
  const toolkit::Control* earlier = nullptr;
  for (const toolkit::Control* control : parent.Children()) {
    if (auto* sheet = dynamic_cast<const toolkit::TabSheet*>(control)) {
      CollectOrderFaults(*sheet, faults);
      continue;
    }
    if (!control->Visible()) continue;
    if (earlier) {
      const toolkit::Rect a = earlier->Bounds(), b = control->Bounds();
      const bool above = b.Top + b.Height <= a.Top;
      const bool same_row = b.Top < a.Top + a.Height && a.Top < b.Top + b.Height;
      if (above || (same_row && b.Left + b.Width <= a.Left))
        faults.push_back(Utf8(control->Name() + L" comes after " + earlier->Name() + L" in " + parent.Name() +
                              (above ? L" but sits above it" : L" but sits left of it")));
    }
    earlier = control;
    if (auto* inner = dynamic_cast<const toolkit::Container*>(control)) CollectOrderFaults(*inner, faults);
  }
}

inline std::vector<std::string> DesignOrderFaults(const toolkit::Form& form) {
  std::vector<std::string> faults;
  CollectOrderFaults(form, faults);
  return faults;
}

// Every caption the user reads as a name has an Alt key, and no two
// controls seen at the same time share one. A page control shows one page
// at a time, so each page is checked with what lies outside the pages (the
// tabs among it); every tab counts, as a printer with every feature shows
// them all. Hidden controls are left out: a test shows the optional parts
// of its window first.

// A control designed without a key, and why.
struct Keyless {
  std::wstring name;
  const char* why;
};

class MnemonicAudit {
 public:
  // `keyless` names controls (a labelled edit by its own name) whose
  // captions deliberately have no key.
  MnemonicAudit(toolkit::Form& form, std::vector<Keyless> keyless) : keyless_(std::move(keyless)) {
    Collect(form, outside_);
  }

  // Each fault in words; none when the window is right.
  std::vector<std::string> Faults() const {
    std::vector<std::string> faults;
    std::set<std::wstring> seen;
    auto check_captions = [&](const std::vector<toolkit::Control*>& controls) {
      for (toolkit::Control* control : controls) {
        const std::wstring name = NameOf(*control);
        seen.insert(name);
        const bool listed = IsListed(name);
        const bool keyed = toolkit::MnemonicOf(control->Caption()) != 0;
        if (!keyed && !listed) faults.push_back(Utf8(name + L" \"" + control->Caption() + L"\": no key"));
        if (keyed && listed) faults.push_back(Utf8(name + L" \"" + control->Caption() + L"\": listed as keyless"));
      }
    };
    check_captions(outside_);
    for (const auto& [sheet, inside] : pages_) check_captions(inside);
    for (const Keyless& listed : keyless_)
      if (!seen.count(listed.name)) faults.push_back(Utf8(listed.name + L": listed as keyless, not in the window"));

    if (pages_.empty()) SharedKeys(outside_, L"", faults);
    for (const auto& [sheet, inside] : pages_) {
      std::vector<toolkit::Control*> view = outside_;
      view.insert(view.end(), inside.begin(), inside.end());
      SharedKeys(view, L" on " + sheet->Name(), faults);
    }
    return faults;
  }

 private:
  // The captioned controls below `parent` in design order, the pages' contents apart.
  void Collect(const toolkit::Container& parent, std::vector<toolkit::Control*>& into) {
    for (toolkit::Control* control : parent.Children()) {
      if (auto* pages = dynamic_cast<toolkit::PageControl*>(control)) {
        if (!control->Visible()) continue;
        for (toolkit::TabSheet* sheet : pages->Sheets()) {
          into.push_back(sheet);
          Collect(*sheet, pages_[sheet]);
        }
        continue;
      }
      if (!control->Visible()) continue;
      if (control->HasCaption() && !control->Caption().empty()) into.push_back(control);
      if (auto* inner = dynamic_cast<toolkit::Container*>(control)) Collect(*inner, into);
    }
  }

  static void SharedKeys(const std::vector<toolkit::Control*>& view, const std::wstring& where,
                         std::vector<std::string>& faults) {
    std::map<wchar_t, std::wstring> first;
    for (toolkit::Control* control : view) {
      const wchar_t key = toolkit::MnemonicOf(control->Caption());
      if (!key) continue;
      const auto [at, added] = first.emplace(key, NameOf(*control));
      if (!added)
        faults.push_back(Utf8(std::wstring(L"Alt+") + key + where + L": " + at->second + L" and " + NameOf(*control)));
    }
  }

  // A labelled edit's label goes by the edit's name.
  static std::wstring NameOf(const toolkit::Control& control) {
    if (auto* edit = dynamic_cast<const toolkit::LabeledEdit*>(control.Owner())) return edit->Name();
    return control.Name();
  }

  bool IsListed(const std::wstring& name) const {
    for (const Keyless& listed : keyless_)
      if (listed.name == name) return true;
    return false;
  }

  std::vector<Keyless> keyless_;
  std::vector<toolkit::Control*> outside_;
  std::map<toolkit::TabSheet*, std::vector<toolkit::Control*>> pages_;
};

}  // namespace velmo::test
