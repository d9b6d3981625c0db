#pragma once
// Form1 (module Unit1): the installer's one window. It lists the printers
// found, offers the USB or the network installation, and holds the network
// printer's address and model.
#include "toolkit_win.h"

namespace velmo {

class TForm1 : public toolkit::Form {
 public:
  // Builds the window for the start-up flags, translates it, sizes the list's
  // "Port" column and loads the driver catalogue (which throws when the
  // driver package is missing).
  TForm1();

  toolkit::GroupBox* GroupBox1;
  toolkit::ListView* ListView1;
  toolkit::ImageList* ImageList1;
  toolkit::Panel* Panel3;
  toolkit::CheckBox* CheckBoxInstallDriver;
  toolkit::RadioButton* RadioButtonInstallUSBPrinter;
  toolkit::RadioButton* RadioButtonInstallNetworkPrinter;
  toolkit::Panel* PanelNetworkSetting;
  toolkit::LabeledEdit* LabeledEditIP;
  toolkit::Label* Label1;
  toolkit::ComboBox* ComboBoxDriverNames;
  toolkit::Panel* PanelButtons;
  toolkit::Panel* Bevel1;
  toolkit::Button* ButtonInstall;
  toolkit::Button* ButtonCancel;
  toolkit::Timer* Timer1;

  void ButtonCancelClick(toolkit::Component& Sender);
  // Either radio button: the network settings show with the network choice.
  void RadioButtonInstallUSBPrinterClick(toolkit::Component& Sender);
  // The address or the model changed: installing needs both for a network printer.
  void ComboBoxDriverNamesChange(toolkit::Component& Sender);
  void Timer1Timer(toolkit::Component& Sender);

 private:
  void BuildFoundPrinters();
  void BuildChoices();
  void BuildButtons();
  void FinishConstruction();
};

extern TForm1* Form1;

}  // namespace velmo
