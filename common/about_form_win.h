#pragma once
// frmAbout: the About dialog of the settings program.
#include "toolkit_win.h"

namespace velmo {

class TfrmAbout : public toolkit::Form {
 public:
  TfrmAbout();
};

extern TfrmAbout* frmAbout;

}  // namespace velmo
