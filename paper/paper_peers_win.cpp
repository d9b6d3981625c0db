#include "paper_peers_win.h"

#include "message_boxes_win.h"
#include "spooler_forms_win.h"

namespace velmo {

namespace {

WinSpoolerForms win_spooler;
WinMessageBoxes win_messages;
SpoolerForms* spooler = &win_spooler;
MessageBoxes* messages = &win_messages;

}  // namespace

SpoolerForms& PaperSpooler() { return *spooler; }
MessageBoxes& PaperMessages() { return *messages; }

void ReplacePaperPeers(SpoolerForms* new_spooler, MessageBoxes* new_messages) {
  spooler = new_spooler ? new_spooler : &win_spooler;
  messages = new_messages ? new_messages : &win_messages;
}

}  // namespace velmo
