// Form1's installation: taking over a found printer, and the install button.
#include "application_win.h"
#include "english_mode.h"
#include "exit_codes.h"
#include "form1_win.h"
#include "installation_lock_win.h"
#include "installation_report.h"
#include "installer_state.h"
#include "text_win.h"
#include "translation.h"
#include "utf8_prefix.h"

namespace velmo {
namespace {

constexpr std::size_t kMaxPortText = 255;

bool Holds(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

void TForm1::ListView1DblClick(toolkit::Component& Sender) {
  const int selected = ListView1->SelectedIndex();
  if (selected < 0) return;
  const std::string port(Utf8Prefix(NarrowToUtf8(ListView1->ItemText(selected, 1)), kMaxPortText));
  if (Holds(port, "USB")) {
    RadioButtonInstallUSBPrinter->SetChecked(true);
  } else if (Holds(port, ".")) {
    LabeledEditIP->SetText(WidenUtf8(port));
    ComboBoxDriverNames->SetItemIndex(CatalogueModels().IndexOf(NarrowToUtf8(ListView1->ItemText(selected, 0))));
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
      .ipText = NarrowToUtf8(LabeledEditIP->Text()),
      .modelText = model >= 0 ? NarrowToUtf8(ComboBoxDriverNames->ItemText(model)) : std::string(),
  };
}

void TForm1::InstallPrinter() {
  InstallationRequest request = CurrentRequest();
  request.recordCommands = PendingLanguageRecords;
  // A field to correct keeps the window, and its discovery, going.
  InstallationResult result;
  if (request.network) result.outcome = NetworkInputProblem(request).value_or(InstallationOutcome::Finished);
  if (result.outcome == InstallationOutcome::Finished) {
    // Held until the program ends: another installer waits for this one.
    static InstallationLock lock;
    // The window paints while it waits, but takes no second click.
    EnableWindow(Handle(), FALSE);
    const bool held = lock.Acquire(kInstallationLockWaitMs, true);
    EnableWindow(Handle(), TRUE);
    if (!held) {
      toolkit::ShowMessageBox(Handle(), TranslatedText(QindleTranslationTable(), L"Form1", L"另一个安装正在运行。",
                                                       IsEnglish()),
                              Caption(), MB_OK | MB_ICONERROR);
      ExitCode = static_cast<int>(InstallerExit::AnotherInstallation);
      Close();
      return;
    }
    EndDiscovery();
    const TextList models = CatalogueModels();
    result = velmo::InstallPrinter(request, {models.Items(), UsbDeviceIds}, peers_.installation);
  }
  switch (result.outcome) {
    case InstallationOutcome::FocusAddress:
      LabeledEditIP->SetFocus();
      break;
    case InstallationOutcome::FocusModel:
      ComboBoxDriverNames->SetFocus();
      break;
    case InstallationOutcome::Finished:
      if (result.failedStep) {
        const NotInstalledMessage message = NotInstalledMessageFor(*result.failedStep, IsEnglish());
        toolkit::ShowMessageBox(Handle(), message.text, message.title, MB_OK | MB_ICONERROR);
      }
      ExitCode = static_cast<int>(ExitFor(result, false));
      Close();
      break;
  }
}

}  // namespace velmo
