// Keyboard use of a form: the tab ring, radio groups, tab pages, mnemonics,
// and the hand-off to the window that hosts an embedded form.
#pragma once

#include <windows.h>

#include <vector>

namespace toolkit {

class Container;
class Control;
class Form;

// The controls Tab stops at, in tab order: the design order, depth first,
// over visible and enabled controls; of a page control only the active
// sheet is entered, after the tabs themselves.
std::vector<Control*> TabRing(Container& root);

// Handles the key message when it is one of the keys above; false leaves it
// to the dialog manager.
bool HandleNavigationKey(Form& form, const MSG& message);

// Enter or Esc that an embedded form has no button for: the host's dialog
// gets them as its own, so that its OK and Cancel work from inside the form.
bool PassToHost(Form& form, WPARAM key);

}  // namespace toolkit
