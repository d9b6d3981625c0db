#pragma once
// The settings window's paper list: the owner-drawn drop-down list of the
// spooler's forms, what it tells the driver, and the deletion of a paper.
#include <string>

#include "paper_editor.h"
#include "toolkit_win.h"

namespace velmo {

class DriverChannel;

// What the paper list works with; the settings window supplies it.
struct PaperHost {
  toolkit::ComboBox& List;
  DriverChannel& Driver;
  std::string PrinterName;  // ANSI code page
  SpoolerForms& Spooler;
  MessageBoxes& Messages;
};

class PaperList : public PaperListRefresh {
 public:
  explicit PaperList(const PaperHost& host) : host_(host) {}

  // Refills Papers and the list, then selects the driver's current paper.
  const PaperLists& FillPaperList() override;
  // Selects `entry` and tells the driver, as a pick by the user would.
  void SelectAndTellDriver(int entry) override;
  // The user picked a paper: its form number goes to the driver.
  void Change();
  // The name in 12 points, the size below it in 9-point secondary grey; the items
  // grow to fit both lines.
  void DrawItem(toolkit::DrawItemArgs& item);
  // Asks, deletes the selected paper's form, refills and tells the driver
  // which paper is selected now.
  void DeleteSelected();

 private:
  PaperHost host_;
};

}  // namespace velmo
