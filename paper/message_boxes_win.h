#pragma once
// The paper operations' message boxes as real MessageBoxW boxes, without an
// owner window and modal to the whole program.
#include "message_boxes.h"

namespace velmo {

class WinMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(const MessageText& message, MessageStyle style) override;
};

}  // namespace velmo
