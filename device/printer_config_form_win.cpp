#include "printer_config_form_win.h"

#include "translate_form_win.h"

namespace velmo {

TfrmPrinterConfig* frmPrinterConfig = nullptr;

TfrmPrinterConfig::TfrmPrinterConfig()
    : Form({.Name = L"frmPrinterConfig",
            .Caption = L"打印机设置",
            .ClientWidth = 413,
            .ClientHeight = 329,
            .Border = toolkit::BorderStyle::Dialog,
            .Position = toolkit::FormPosition::OwnerCenter,
            .Color = RGB(255, 255, 255)}) {
  TranslateForm(this, OemuiTranslationTable());
}

}  // namespace velmo
