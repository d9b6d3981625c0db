#pragma once
// The message boxes of the paper operations, behind an interface so that the
// operations run without a user: the product shows real boxes
// (message_boxes_win.h), tests answer them.
#include <string>

namespace velmo {

enum class MessageStyle {
  ConfirmOkCancel,  // question icon, OK and Cancel
  AskYesNo,         // warning icon, Yes and No
  Error,            // error icon, OK
};

enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageText {
  std::wstring Text;
  std::wstring Title;
  bool operator==(const MessageText&) const = default;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const MessageText& message, MessageStyle style) = 0;
};

}  // namespace velmo
