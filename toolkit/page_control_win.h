// A tab control with one sheet per page. A sheet's tab can be hidden and
// shown again; it comes back at its place among the sheets.
#pragma once

#include <vector>

#include "control_win.h"

namespace toolkit {

class PageControl;

class TabSheet : public Container {
 public:
  TabSheet(Component& owner, Container& parent, const Design& design);
  ~TabSheet() override;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  void SetCaption(const std::wstring& caption) override;
  PageControl& Pages() const;

 protected:
  void CreateHandle() override;

 private:
  bool tabVisible_;
};

class PageControl : public Container {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_PAGETABLIST; }
  bool TakesTabStop() const override { return true; }
  PageControl(Component& owner, Container& parent, const Design& design);

  const std::vector<TabSheet*>& Sheets() const { return sheets_; }
  TabSheet* ActivePage() const { return active_; }
  void SetActivePage(TabSheet* sheet);
  // The tab of each sheet whose tab is visible, in sheet order.
  int TabCount() const;

  NotifyEvent OnChange;

 protected:
  void CreateHandle() override;
  // The tabs are read as the page that shows.
  std::wstring SpokenOwnCaption() const override;
  RECT AlignArea() const override;
  void ChildAdded(Control& child) override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  friend class TabSheet;
  int TabIndexOf(const TabSheet& sheet) const;  // -1 when its tab is hidden
  void ShowTab(TabSheet& sheet);
  void InsertTab(TabSheet& sheet);
  void HideTab(TabSheet& sheet, int formerIndex);
  void Forget(TabSheet& sheet) noexcept;
  void UpdateTabText(TabSheet& sheet);

  std::vector<TabSheet*> sheets_;
  TabSheet* active_ = nullptr;
};

}  // namespace toolkit
