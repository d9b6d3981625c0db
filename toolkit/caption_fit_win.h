// Whether the captions of a shown form can be read whole: each text measured
// in its control's font against the place its control gives it.
#pragma once

#include <string>
#include <vector>

#include "form_win.h"

namespace toolkit {

struct CutCaption {
  std::wstring Name;     // the control's
  std::wstring Caption;
  std::wstring Why;
};

// Every visible caption of `form` (labels, buttons, check and radio buttons,
// speed buttons, panels, group boxes, tabs) that is wider or taller than the
// room its control gives it, reaches outside a container, or lies under
// another visible control. Menu items and the title bar are sized by the
// system and not looked at. The form must be shown.
std::vector<CutCaption> FindCutCaptions(const Form& form);

}  // namespace toolkit
