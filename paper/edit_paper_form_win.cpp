#include "edit_paper_form_win.h"

#include "translate_form_win.h"

namespace velmo {

TfrmEditPaper* frmEditPaper = nullptr;

TfrmEditPaper::TfrmEditPaper()
    : Form({.Name = L"frmEditPaper",
            .Caption = L"编辑纸张",
            .ClientWidth = 360,
            .ClientHeight = 300,
            .Border = toolkit::BorderStyle::Dialog,
            .Position = toolkit::FormPosition::ScreenCenter}) {
  TranslateForm(this, OemuiTranslationTable());
}

}  // namespace velmo
