#include "message_boxes_win.h"

#include <windows.h>

namespace velmo {

MessageAnswer WinMessageBoxes::Show(const MessageText& message, MessageStyle style) {
  UINT flags = MB_TASKMODAL;
  switch (style) {
    case MessageStyle::ConfirmOkCancel: flags |= MB_OKCANCEL | MB_ICONQUESTION; break;
    case MessageStyle::AskYesNo: flags |= MB_YESNO | MB_ICONWARNING; break;
    case MessageStyle::Error: flags |= MB_OK | MB_ICONERROR; break;
  }
  switch (MessageBoxW(nullptr, message.Text.c_str(), message.Title.c_str(), flags)) {
    case IDOK: return MessageAnswer::Ok;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
  }
}

}  // namespace velmo
