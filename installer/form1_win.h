#pragma once
// Form1 (module Unit1): the installer's one window. It lists the printers
// found, offers the USB or the network installation, and holds the network
// printer's address and model.
#include <memory>

#include "address_check.h"
#include "discovery_adapters_win.h"
#include "installation.h"
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
  // Either radio button: the network settings show with the network choice.
  void RadioButtonInstallUSBPrinterClick(toolkit::Component& Sender);
  // The address or the model changed: installing needs both for a network
  // printer, and checking needs an address.
  void ComboBoxDriverNamesChange(toolkit::Component& Sender);
  // A discovery pass: USB printers (in full mode) and network printers. An
  // error is shown in the error box; while that box is open the pass is
  // still running, and the timer starts no other.
  void Timer1Timer(toolkit::Component& Sender);
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
  void InstallPrinter();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The catalogue's model names, as the model list holds them.
  TextList CatalogueModels() const;
  // The choice, the driver setup and the network fields as they stand.
  InstallationRequest CurrentRequest() const;
  void BuildFoundPrinters();
  void BuildChoices();
  void BuildButtons();
  void FinishConstruction();
  // The endpoint, the list's rows and the first pass, whose errors end the
  // window's construction.
  void StartDiscovery();
  void DiscoveryPass();
  // A reply that answers the running address check: shown, and its model
  // selected.
  void OfferToAddressCheck(const std::string& datagram);
  void ShowAddressAnswer();

  const InstallerPeers& peers_;
  std::unique_ptr<ListViewRows> listRows_;
  std::unique_ptr<FoundPrinters> rows_;
  std::unique_ptr<EndpointNetwork> network_;
  bool passRunning_ = false;
  std::unique_ptr<AddressCheck> addressCheck_;  // while a check waits
};

extern TForm1* Form1;

}  // namespace velmo
