#pragma once
// The request/reply channel to the driver's settings page: requests go out
// as WM_COPYDATA to the plug-in's dialog window, replies come back to the
// settings window. Free of windows.h: the messages travel through a
// DriverTransport.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class DriverTransport {
 public:
  virtual ~DriverTransport() = default;
  // Delivers one request: `code` in dwData, `payload` and a terminating zero.
  virtual void Send(uint32_t code, std::string_view payload) = 0;
  // Handles at most one message, waiting for one up to `max_wait_ms`.
  virtual void HandleOneMessage(uint32_t max_wait_ms) = 0;
  // Takes in replies that were sent already but wait to be received, and
  // handles nothing else. Nothing to do where replies come only with
  // HandleOneMessage.
  virtual void ReceiveSentReplies() {}
  virtual uint32_t TickCount() = 0;
};

enum DriverRequest : uint32_t {
  kEnumFeatures = 1,
  kGetFeatureOption = 3,
  kSetFeatureOption = 4,
  kSelectPaper = 5,
  kGetPaperIndex = 6,
  kNotifyTestPage = 7,
};

class DriverChannel {
 public:
  static constexpr size_t kReplyBufferSize = 1048576;
  static constexpr size_t kMaxPayload = 255;  // payloads are built in 256-byte buffers
  static constexpr uint32_t kReplyWaitMs = 100;
  static constexpr size_t kFeatureEntrySize = 64;

  explicit DriverChannel(DriverTransport& transport);

  // The reply side: every WM_COPYDATA that reaches the settings window. A
  // reply longer than the buffer is cut to it.
  void OnReply(uintptr_t flag, const void* data, size_t size);

  // Sends and waits up to 100 ms for a reply with a non-zero flag while other
  // messages are handled. Returns false when the wait timed out.
  bool SendDriverRequest(uint32_t code, std::string_view payload);
  bool ReplyTimedOut() const { return reply_timed_out_; }
  // True while a request waits for its reply, that is while the messages
  // handled during the wait run.
  bool Waiting() const { return waiting_ > 0; }

  // A read that timed out gives the empty text (or 0), never the previous
  // request's reply.
  void EnumFeatures();
  std::string GetFeatureOption(std::string_view keyword);
  // Writes only features the driver reported, and only when the option
  // differs. A write asked for during another request's wait is made after
  // that request, and a later write of the same feature replaces it; while
  // the list is being read again (after ClearSupportedFeatures) such writes
  // wait for the list. A list request that timed out is asked again by the
  // next write.
  void SetFeatureOption(std::string_view keyword, std::string_view option);
  void SelectPaper(int form_number);
  // 0 for an empty reply and for one that is not a number (no paper).
  int GetPaperIndex(std::string_view printer_name);
  void NotifyTestPage(std::string_view printer_name);

  const std::vector<std::string>& SupportedFeatures() const { return supported_features_; }
  // Empties the list until the next EnumFeatures; writes made meanwhile
  // outside a wait are not sent.
  void ClearSupportedFeatures();
  bool IsSupported(std::string_view keyword) const;

 private:
  enum class ListState { kAwaited, kKnown, kTimedOut };
  struct Write {
    std::string keyword;
    std::string option;
  };

  std::string_view ReplyText() const;
  void WriteNow(std::string_view keyword, std::string_view option);
  // Sends the writes held back during waits, once no request waits and the
  // list is known. The caller's own reply state is kept.
  void WriteHeldBack();

  DriverTransport& transport_;
  uintptr_t reply_flag_ = 0;
  size_t reply_length_ = 0;
  std::vector<char> reply_buffer_;
  bool reply_timed_out_ = false;
  int waiting_ = 0;
  bool writing_held_back_ = false;
  ListState list_state_ = ListState::kAwaited;
  std::vector<std::string> supported_features_;
  std::vector<Write> held_back_;
};

}  // namespace velmo
