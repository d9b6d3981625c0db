// A one-line edit box with its label on the left. The edit owns the label
// (so the caption walk reaches it through the edit); the label follows the
// edit's visibility and enabled state.
#pragma once

#include <string>

#include "control_win.h"

namespace toolkit {

class Label;

class LabeledEdit : public Control {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_TEXT; }
  bool TakesTabStop() const override { return true; }
  LabeledEdit(Component& owner, Container& parent, const Design& design);

  Label& EditLabel() const { return *label_; }
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void SelectAll();
  bool ReadOnly() const { return Designed().ReadOnly; }
  void SetReadOnly(bool readOnly);
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;

  NotifyEvent OnChange;

 protected:
  void CreateHandle() override;
  std::wstring SpokenOwnCaption() const override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void PlaceLabel();
  Label* label_ = nullptr;
  std::wstring text_;  // while there is no window
};

}  // namespace toolkit
