#include "driver_transport_win.h"

#include <string>

#include "application_win.h"

namespace velmo {

void CopyDataTransport::Send(uint32_t code, std::string_view payload) {
  std::string data(payload);  // with its terminating zero, counted in cbData
  COPYDATASTRUCT request{code, DWORD(data.size() + 1), data.data()};
  SendMessageW(dialog_, WM_COPYDATA, reinterpret_cast<WPARAM>(self_), reinterpret_cast<LPARAM>(&request));
}

void CopyDataTransport::HandleOneMessage(uint32_t max_wait_ms) {
  MSG message;
  // Peeking also delivers messages sent from other threads, such as the
  // plug-in's reply, so a reply may arrive without a posted message.
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    MsgWaitForMultipleObjectsEx(0, nullptr, max_wait_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) return;
  }
  toolkit::ProcessOneMessage();
}

void CopyDataTransport::ReceiveSentReplies() {
  // Delivers the messages other threads have sent and are waiting on (the
  // page's WM_COPYDATA replies); posted messages stay queued.
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace velmo
