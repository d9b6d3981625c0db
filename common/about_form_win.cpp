#include "about_form_win.h"

#include <windows.h>

namespace velmo {

using namespace toolkit;

TfrmAbout* frmAbout = nullptr;

// Not translated: its captions read the same in both languages.
TfrmAbout::TfrmAbout(AboutActions actions)
    : Form({.Name = L"frmAbout",
            .Caption = L"About",
            .ClientWidth = 360,
            .ClientHeight = 180,
            .Border = BorderStyle::Dialog,
            .Position = FormPosition::ScreenCenter,
            .Color = RGB(255, 255, 255),
            .OnClick = Handler(&TfrmAbout::FormClick)}),
      actions_(std::move(actions)) {
  Image1 = Make<Image>(*this, {.Name = L"Image1", .Bounds = {0, 0, 0, 100}, .Align = Align::Top,
                               .Picture = L"PICTURE_ABOUT_BANNER", .Center = true, .Proportional = true});
  CheckBoxDebug = Make<CheckBox>(*this, {.Name = L"CheckBoxDebug", .Caption = L"&Debug", .Bounds = {24, 110, 120, 24},
                                         .OnClick = Handler(&TfrmAbout::CheckBoxDebugClick)});
  Panel1 = Make<Panel>(*this, {.Name = L"Panel1", .Bounds = {0, 0, 0, 42}, .Align = Align::Bottom});
  Button1 = Make<Button>(*Panel1, {.Name = L"Button1", .Caption = L"关闭(&C)", .Bounds = {266, 8, 80, 26},
                                   .Default = true, .Cancel = true, .OnClick = Handler(&TfrmAbout::Button1Click)});
}

void TfrmAbout::CheckBoxDebugClick(Component&) {
  const bool on = CheckBoxDebug->Checked();
  actions_.write_feature("PrintDebug", on ? "ON" : "OFF");
  if (on) actions_.open_debug_folder();
}

void OpenDebugFolder() { WinExec("explorer.exe C:\\Windows\\Temp\\velmo_printer", SW_SHOWNORMAL); }

void TfrmAbout::Button1Click(Component&) { Close(); }

void TfrmAbout::FormClick(Component&) { Close(); }

}  // namespace velmo
