#pragma once
// frmEditPaper: the dialog that creates and edits a paper form.
#include "toolkit_win.h"

namespace velmo {

class TfrmEditPaper : public toolkit::Form {
 public:
  TfrmEditPaper();
};

extern TfrmEditPaper* frmEditPaper;

}  // namespace velmo
