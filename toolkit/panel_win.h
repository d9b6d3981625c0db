// Containers drawn as a plain area: panels (caption, bevel, colour) and
// group boxes (a framed, captioned group).
#pragma once

#include "control_win.h"

namespace toolkit {

class Panel : public Container {
 public:
  Panel(Component& owner, Container& parent, const Design& design);
  void SetCaption(const std::wstring& caption) override;
  bool IsCaptionedRow() const override { return !Caption().empty(); }

 protected:
  void CreateHandle() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  RECT AlignArea() const override;

 private:
  void Paint(HDC dc);
};

class GroupBox : public Container {
 public:
  GroupBox(Component& owner, Container& parent, const Design& design);
  long AccessibleRole() const override { return ROLE_SYSTEM_GROUPING; }

 protected:
  void CreateHandle() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  RECT AlignArea() const override;
};

}  // namespace toolkit
