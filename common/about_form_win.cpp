#include "about_form_win.h"

namespace velmo {

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout()
    : Form({.Name = L"frmAbout",
            .Caption = L"About",
            .ClientWidth = 400,
            .ClientHeight = 260,
            .Border = toolkit::BorderStyle::Dialog,
            .Position = toolkit::FormPosition::ScreenCenter,
            .Color = RGB(255, 255, 255)}) {}

}  // namespace velmo
