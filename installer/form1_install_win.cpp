// Form1's installation: taking over a found printer, and the install button.
#include "ansi_text_win.h"
#include "form1_win.h"
#include "installer_state.h"

namespace velmo {
namespace {

constexpr std::size_t kMaxPortText = 255;

bool Holds(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

void TForm1::ListView1DblClick(toolkit::Component& Sender) {
  const int selected = ListView1->SelectedIndex();
  if (selected < 0) return;
  const std::string port = NarrowToAnsi(ListView1->ItemText(selected, 1)).substr(0, kMaxPortText);
  if (Holds(port, "USB")) {
    RadioButtonInstallUSBPrinter->SetChecked(true);
  } else if (Holds(port, ".")) {
    LabeledEditIP->SetText(WidenAnsi(port));
    ComboBoxDriverNames->SetItemIndex(CatalogueModels().IndexOf(NarrowToAnsi(ListView1->ItemText(selected, 0))));
    RadioButtonInstallNetworkPrinter->SetChecked(true);
    ComboBoxDriverNamesChange(Sender);
  }
}

void TForm1::ButtonInstallClick(toolkit::Component&) { InstallPrinter(); }

InstallationRequest TForm1::CurrentRequest() const {
  const int model = ComboBoxDriverNames->ItemIndex();
  return {
      .usb = RadioButtonInstallUSBPrinter->Checked(),
      .network = RadioButtonInstallNetworkPrinter->Checked(),
      .installDriver = CheckBoxInstallDriver->Checked(),
      .ipText = NarrowToAnsi(LabeledEditIP->Text()),
      .modelText = model >= 0 ? NarrowToAnsi(ComboBoxDriverNames->ItemText(model)) : std::string(),
  };
}

void TForm1::InstallPrinter() {
  const TextList models = CatalogueModels();
  switch (velmo::InstallPrinter(CurrentRequest(), {models.Items(), UsbDeviceIds}, peers_.installation)) {
    case InstallationOutcome::FocusAddress:
      LabeledEditIP->SetFocus();
      break;
    case InstallationOutcome::FocusModel:
      ComboBoxDriverNames->SetFocus();
      break;
    case InstallationOutcome::Installed:
    case InstallationOutcome::DriverSetupFailed:
    case InstallationOutcome::NoQueue:
      Close();
      break;
  }
}

}  // namespace velmo
