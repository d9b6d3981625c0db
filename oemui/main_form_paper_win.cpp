// frmMain's paper list and its three buttons; the work is the paper list's
// and the paper editor's.
#include "driver_channel.h"
#include "edit_paper_form_win.h"
#include "launch_win.h"
#include "main_form_win.h"
#include "paper_list_win.h"
#include "paper_peers_win.h"

namespace velmo {

namespace {

PaperHost HostOf(TfrmMain& form) {
  return {*form.ComboBoxPaperNames, Driver(), Launch.PrinterName, PaperSpooler(), PaperMessages()};
}

}  // namespace

void TfrmMain::FillPaperList() { PaperList(HostOf(*this)).FillPaperList(); }

void TfrmMain::ComboBoxPaperNamesChange(toolkit::Component&) { PaperList(HostOf(*this)).Change(); }

void TfrmMain::ComboBoxPaperNamesDrawItem(toolkit::Component&, toolkit::DrawItemArgs& Item) {
  PaperList(HostOf(*this)).DrawItem(Item);
}

void TfrmMain::SpeedButtonEditPaperClick(toolkit::Component&) {
  const int entry = ComboBoxPaperNames->ItemIndex();
  if (entry < 0) return;
  frmEditPaper->LoadPaperForEdit(HostOf(*this), ComboBoxPaperNames->ItemText(entry));
  frmEditPaper->ShowModal();
}

void TfrmMain::SpeedButtonDeletePaperClick(toolkit::Component&) { PaperList(HostOf(*this)).DeleteSelected(); }

void TfrmMain::SpeedButtonAddPaperClick(toolkit::Component&) {
  frmEditPaper->PrepareNewPaper(HostOf(*this));
  frmEditPaper->ShowModal();
}

}  // namespace velmo
