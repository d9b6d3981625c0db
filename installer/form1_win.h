#pragma once
// Form1 (module Unit1): the installer's one window. It lists the printers
// found, offers the USB or the network installation, and holds the network
// printer's address and model.
#include <memory>

#include "address_check.h"
#include "discovery_adapters_win.h"
#include "discovery_passes.h"
#include "installation.h"
#include "installer_peers_win.h"
#include "text_list.h"

namespace velmo {

class TForm1 : public toolkit::Form {
 public:
  // Builds the window for the start-up flags, translates it, sizes the list's
  // "Port" column, loads the driver catalogue (which throws when the driver
  // package is missing) and runs the first discovery pass.
  explicit TForm1(const InstallerPeers& peers);

  toolkit::GroupBox* GroupBox1;
  toolkit::ListView* ListView1;
  toolkit::ImageList* ImageList1;
  toolkit::Panel* Panel3;
  toolkit::CheckBox* CheckBoxInstallDriver;
  toolkit::RadioButton* RadioButtonInstallUSBPrinter;
  toolkit::RadioButton* RadioButtonInstallNetworkPrinter;
  toolkit::Panel* PanelNetworkSetting;
  toolkit::LabeledEdit* LabeledEditIP;
  toolkit::Button* ButtonCheckAddress;
  toolkit::Label* LabelAddressAnswer;
  toolkit::Label* Label1;
  toolkit::ComboBox* ComboBoxDriverNames;
  toolkit::Panel* PanelButtons;
  toolkit::Panel* Bevel1;
  toolkit::Button* ButtonInstall;
  toolkit::Button* ButtonCancel;
  toolkit::Timer* Timer1;
  toolkit::Timer* TimerAddressCheck;
  std::unique_ptr<UdpEndpoint> IdUDPServer1;

  void ButtonCancelClick(toolkit::Component& Sender);
  // The window closes: no pass starts again, the one in flight is told to
  // stop and what it finds is dropped.
  void FormClose(toolkit::Component& Sender);
  // Either radio button: the network settings show with the network choice.
  void RadioButtonInstallUSBPrinterClick(toolkit::Component& Sender);
  // The address or the model changed: installing needs both for a network
  // printer, and checking needs an address.
  void ComboBoxDriverNamesChange(toolkit::Component& Sender);
  // Starts a discovery pass, unless one is in flight: USB printers (in full
  // mode) and the host's addresses are looked up on the pass's own thread,
  // the rows and the queries follow on this one. An error is shown in the
  // error box; while that box is open the pass is still in flight.
  void Timer1Timer(toolkit::Component& Sender);
  // A discovery pass runs, or what it found is not yet applied.
  bool PassInFlight() const { return passes_->InFlight(); }
  // One discovery reply, on the window's thread.
  void IdUDPServer1UDPRead(const std::string& datagram);
  // A found printer's address and model become the network choice; a USB
  // printer selects the USB choice.
  void ListView1DblClick(toolkit::Component& Sender);
  void ButtonInstallClick(toolkit::Component& Sender);
  // Sends the discovery query to the typed address alone; the first reply
  // that names it, or the end of the wait, is shown under the address.
  void ButtonCheckAddressClick(toolkit::Component& Sender);
  // The check's wait is over without an answer.
  void TimerAddressCheckTimer(toolkit::Component& Sender);
  // The installation; the window closes afterwards unless a field is missing,
  // after a message box when no printer queue came of it (ExitCode says so).
  // Discovery ends for good before its first command, once the pass in
  // flight has ended and been applied.
  void InstallPrinter();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Posted by a pass's thread once what it found is ready.
  static constexpr UINT kPassFinished = WM_APP;
  // Posted once a pass could not run the device console tool at all, so the
  // box shows over the window rather than before it.
  static constexpr UINT kUsbSearchNotRun = WM_APP + 1;

  // The catalogue's model names, as the model list holds them.
  TextList CatalogueModels() const;
  // The choice, the driver setup and the network fields as they stand.
  InstallationRequest CurrentRequest() const;
  void BuildFoundPrinters();
  void BuildChoices();
  void BuildButtons();
  void FinishConstruction();
  // The endpoint, the list's rows and the first pass, waited for here: its
  // errors end the window's construction.
  void StartDiscovery();
  // The rows of the USB printers found and the queries to the host's
  // networks; what the pass threw is thrown here.
  void ApplyFindings(const PassFindings& findings);
  // Timer passes' findings, with their errors in the error box.
  void ApplyFindingsOrShowError(const PassFindings& findings);
  // The device console tool could not even be named on a command line: said
  // once, since every later pass would fail the same way.
  void ShowUsbSearchNotRun();
  // What the next pass asks for, fixed now.
  DiscoveryPasses::Work PassWork() const;
  // Before an installation: the timer stops for good, and the pass in
  // flight ends and is applied.
  void EndDiscovery();
  // A reply that answers the running address check: shown, and its model
  // selected.
  void OfferToAddressCheck(const std::string& datagram);
  void ShowAddressAnswer();

  const InstallerPeers& peers_;
  std::unique_ptr<ListViewRows> listRows_;
  std::unique_ptr<FoundPrinters> rows_;
  std::unique_ptr<EndpointNetwork> network_;
  std::unique_ptr<DiscoveryPasses> passes_;
  std::unique_ptr<AddressCheck> addressCheck_;  // while a check waits
  bool usbSearchNotRunTold_ = false;
};

extern TForm1* Form1;

}  // namespace velmo
