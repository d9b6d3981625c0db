// A drop-down list without free text. An owner-drawn list has one common
// item height, which only grows. OnChange runs when the user picks an item;
// setting the selection from code runs nothing.
#pragma once

#include <string>
#include <vector>

#include "control_win.h"

namespace toolkit {

class ComboBox : public Control {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_COMBOBOX; }
  bool TakesTabStop() const override { return true; }
  ComboBox(Component& owner, Container& parent, const Design& design);

  int ItemCount() const;
  std::wstring ItemText(int index) const;
  void AddItem(const std::wstring& text);
  void SetItems(const std::vector<std::wstring>& items);
  void ClearItems();
  int ItemIndex() const;  // -1: nothing selected
  void SetItemIndex(int index);

  // Device pixels, as a drawing handler measures its text.
  int ItemHeight() const;
  // Ignored unless taller than now: owner-drawn items never shrink.
  void SetItemHeight(int pixels);

  NotifyEvent OnChange;
  DrawItemEvent OnDrawItem;

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void ApplyFont() override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  int InitialItemHeight() const;
  void PutItemHeight(int pixels);
  // The list while there is no window.
  std::vector<std::wstring> items_;
  int itemIndex_ = -1;
};

}  // namespace toolkit
