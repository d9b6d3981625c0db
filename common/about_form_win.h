#pragma once
// frmAbout: the About dialog of the settings program, with the switch for
// the driver's own debug output.
#include <functional>
#include <string>

#include "toolkit_win.h"

namespace velmo {

// What the dialog does outside itself.
struct AboutActions {
  // Writes one driver feature: keyword, option.
  std::function<void(const std::string& keyword, const std::string& option)> write_feature;
  // Opens the folder the driver writes its debug output to.
  std::function<void()> open_debug_folder;
};

class TfrmAbout : public toolkit::Form {
 public:
  explicit TfrmAbout(AboutActions actions);

  toolkit::Image* Image1;
  toolkit::CheckBox* CheckBoxDebug;
  toolkit::Panel* Panel1;
  toolkit::Button* Button1;

  void CheckBoxDebugClick(toolkit::Component& Sender);
  void Button1Click(toolkit::Component& Sender);
  void FormClick(toolkit::Component& Sender);

 private:
  AboutActions actions_;
};

extern TfrmAbout* frmAbout;

// The file manager on the driver's debug folder.
void OpenDebugFolder();

}  // namespace velmo
