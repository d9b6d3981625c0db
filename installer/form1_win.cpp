// Form1's behaviour: the start-up flags, the installation choices and the end.
#include "form1_win.h"

#include "driver_catalogue_win.h"
#include "installer_state.h"
#include "network_discovery.h"
#include "translate_form_win.h"

namespace velmo {

TForm1* Form1 = nullptr;

void TForm1::FinishConstruction() {
  if (DriverInstallEnabled == 0) {
    CheckBoxInstallDriver->SetChecked(false);
    CheckBoxInstallDriver->Hide();
  }
  if (UsbInstallEnabled == 0) {
    RadioButtonInstallUSBPrinter->SetChecked(false);
    RadioButtonInstallUSBPrinter->Hide();
    RadioButtonInstallNetworkPrinter->SetChecked(true);  // runs RadioButtonInstallUSBPrinterClick
  }
  TranslateForm(this, QindleTranslationTable());
  ListView1->SetColumnWidth(1, ListView1->Width() - ListView1->ColumnWidth(0) - 16);
  ListDriverModels(*ComboBoxDriverNames);
  StartDiscovery();
}

LRESULT TForm1::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPassFinished) {
    passes_->Collect([this](const PassFindings& findings) { ApplyFindingsOrShowError(findings); });
    return 0;
  }
  if (message == kUsbSearchNotRun) {
    ShowUsbSearchNotRun();
    return 0;
  }
  // Replies that arrive while the window goes are not for its list.
  if (message == WM_DESTROY) IdUDPServer1->Close();
  return Form::WindowProc(message, wParam, lParam);
}

void TForm1::ButtonCancelClick(toolkit::Component&) { Close(); }

void TForm1::FormClose(toolkit::Component&) {
  Timer1->SetEnabled(false);
  if (passes_) passes_->Stop();
}

void TForm1::RadioButtonInstallUSBPrinterClick(toolkit::Component& Sender) {
  PanelNetworkSetting->SetVisible(RadioButtonInstallNetworkPrinter->Checked());
  ComboBoxDriverNamesChange(Sender);
}

void TForm1::ComboBoxDriverNamesChange(toolkit::Component&) {
  const InstallationRequest request = CurrentRequest();
  ButtonCheckAddress->SetEnabled(CheckedIpv4Address(request.ipText).has_value());
  if (request.usb) {
    ButtonInstall->SetEnabled(true);
  } else if (request.network) {
    ButtonInstall->SetEnabled(HasText(request.ipText) && HasText(request.modelText));
  }
}

}  // namespace velmo
