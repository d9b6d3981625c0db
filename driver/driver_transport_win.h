#pragma once
// The driver channel's transport on Win32: WM_COPYDATA to the plug-in's
// dialog window, the toolkit's message handling while a request waits.
#include <windows.h>

#include "driver_channel.h"

namespace velmo {

class CopyDataTransport : public DriverTransport {
 public:
  // `self` is the window the replies come back to, passed as wParam.
  CopyDataTransport(HWND dialog, HWND self) : dialog_(dialog), self_(self) {}

  void Send(uint32_t code, std::string_view payload) override;
  void HandleOneMessage(uint32_t max_wait_ms) override;
  void ReceiveSentReplies() override;
  uint32_t TickCount() override { return GetTickCount(); }

 private:
  HWND dialog_;
  HWND self_;
};

// Window handles travel on the command line as 32-bit values; they are
// sign-extended, as the platform does between 32- and 64-bit processes.
inline HWND WindowFromValue(uint32_t value) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

}  // namespace velmo
