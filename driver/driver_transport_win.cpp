#include "driver_transport_win.h"

#include <cstddef>
#include <string>

#include "application_win.h"
#include "driver_channel.h"

namespace velmo {

// The plug-in's process may have the other width: the system carries
// WM_COPYDATA between 32- and 64-bit processes, converting the record from
// one of these layouts to the other. Request codes and reply flags travel
// in dwData, byte counts (a whole reply buffer included) in the 32-bit cbData.
constexpr bool kPointers32 = sizeof(void*) == 4;
static_assert(sizeof(COPYDATASTRUCT) == (kPointers32 ? 12 : 24));
static_assert(offsetof(COPYDATASTRUCT, cbData) == (kPointers32 ? 4 : 8));
static_assert(offsetof(COPYDATASTRUCT, lpData) == (kPointers32 ? 8 : 16));
static_assert(sizeof(COPYDATASTRUCT::dwData) == sizeof(uintptr_t) && sizeof(COPYDATASTRUCT::cbData) == 4);
static_assert(DriverChannel::kReplyBufferSize <= 0xFFFFFFFFu && DriverChannel::kMaxPayload < 0xFFFFFFFFu);

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
