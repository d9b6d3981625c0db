#pragma once
// The outside peers of the paper windows: the spooler's forms and the user's
// message boxes. The program uses the Win32 ones; tests put fakes in their
// place, since this machine's spooler keeps no forms and boxes would wait.
#include "message_boxes.h"
#include "spooler_forms.h"

namespace velmo {

SpoolerForms& PaperSpooler();
MessageBoxes& PaperMessages();

// Null puts the Win32 peer back.
void ReplacePaperPeers(SpoolerForms* spooler, MessageBoxes* messages);

}  // namespace velmo
