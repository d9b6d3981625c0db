#include "paper_peers_win.h"

#include "message_boxes_win.h"
#include "spooler_forms_win.h"

#ifdef VELMO_DEV_FORMS
#include <cstdlib>

#include "file_spooler_forms.h"
#endif

namespace velmo {

namespace {

WinSpoolerForms win_spooler;
WinMessageBoxes win_messages;

// The spooler's forms, or in a development build with VELMO_FORMS_FILE set
// the forms file standing in for them.
SpoolerForms& ProgramSpooler() {
#ifdef VELMO_DEV_FORMS
  if (const char* path = std::getenv("VELMO_FORMS_FILE"); path && *path) {
    static FileSpoolerForms forms_file(path);
    return forms_file;
  }
#endif
  return win_spooler;
}

SpoolerForms* spooler = nullptr;  // the program's until a test replaces it
MessageBoxes* messages = &win_messages;

}  // namespace

SpoolerForms& PaperSpooler() { return spooler ? *spooler : ProgramSpooler(); }
MessageBoxes& PaperMessages() { return *messages; }

void ReplacePaperPeers(SpoolerForms* new_spooler, MessageBoxes* new_messages) {
  spooler = new_spooler;
  messages = new_messages ? new_messages : &win_messages;
}

}  // namespace velmo
