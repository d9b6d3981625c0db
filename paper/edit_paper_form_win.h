#pragma once
// frmEditPaper: the dialog that creates and edits a paper form.
#include <optional>
#include <string>

#include "paper_list_win.h"
#include "toolkit_win.h"

namespace velmo {

class TfrmEditPaper : public toolkit::Form {
 public:
  TfrmEditPaper();

  toolkit::LabeledEdit* LabeledEditName;
  toolkit::GroupBox* GroupBoxSize;
  toolkit::LabeledEdit* LabeledEditWidth;
  toolkit::LabeledEdit* LabeledEditHeight;
  toolkit::GroupBox* GroupBoxMargin;
  toolkit::LabeledEdit* LabeledEditMarginLeft;
  toolkit::LabeledEdit* LabeledEditMarginRight;
  toolkit::LabeledEdit* LabeledEditMarginTop;
  toolkit::LabeledEdit* LabeledEditMarginBottom;
  toolkit::Button* Button1;
  toolkit::Button* Button2;

  // Each use starts with one of these; the host is the paper list that a
  // save refreshes. A printer that cannot be opened leaves the boxes as they
  // were.
  void LoadPaperForEdit(const PaperHost& host, const std::wstring& name);
  void PrepareNewPaper(const PaperHost& host);

  void FormShow(toolkit::Component& Sender);
  void LabeledEditWidthClick(toolkit::Component& Sender);
  void Button1Click(toolkit::Component& Sender);
  void Button2Click(toolkit::Component& Sender);

 private:
  toolkit::LabeledEdit* Box(PaperBox box) const;
  void SetBoxes(const PaperBoxTexts& texts);

  std::optional<PaperHost> host_;
};

extern TfrmEditPaper* frmEditPaper;

}  // namespace velmo
