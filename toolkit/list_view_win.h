// A read-only report-style list view: columns, rows with sub-items, pictures
// from an image list, one selected row, double-click.
#pragma once

#include <string>
#include <vector>

#include "control_win.h"

namespace toolkit {

class ListView : public Control {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_LIST; }
  bool TakesTabStop() const override { return true; }
  ListView(Component& owner, Container& parent, const Design& design);

  int ColumnCount() const { return columns_; }
  int ColumnWidth(int column) const;  // 96-DPI pixels
  void SetColumnWidth(int column, int width);

  // Adds a row; `subItems` fill the columns after the first. Returns its index.
  int AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems = {}, int image = 0);
  void DeleteItem(int item);
  void Clear();
  int ItemCount() const;
  // Column 0 is the row's caption, 1 and on its sub-items.
  std::wstring ItemText(int item, int column) const;
  int SelectedIndex() const;  // -1: none
  void SetSelectedIndex(int index);

  NotifyEvent OnDblClick;
  NotifyEvent OnChange;  // the selection changed

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void ApplyFont() override;

 private:
  int InsertItem(const std::wstring& caption, const std::vector<std::wstring>& subItems, int image);

  struct Row {
    std::wstring caption;
    std::vector<std::wstring> subItems;
    int image;
  };
  int columns_ = 0;
  std::vector<Column> columnDesign_;
  ImageList* images_;
  std::vector<Row> rows_;  // added while there is no window
  int columnsDpi_ = 0;     // the DPI the columns' widths are for; 0 before there are any
};

}  // namespace toolkit
