#include "driver_channel.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace velmo {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string_view UpToZero(const char* data, size_t size) {
  return {data, size_t(std::find(data, data + size, '\0') - data)};
}

// A whole decimal number with an optional sign and surrounding blanks, as a
// strict text-to-integer conversion takes it.
bool ParseInteger(std::string_view text, int& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return false;
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  long long number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
    if (number > 2147483648LL) return false;
  }
  if (negative) number = -number;
  if (number > 2147483647LL) return false;
  value = int(number);
  return true;
}

}  // namespace

DriverChannel::DriverChannel(DriverTransport& transport) : transport_(transport) {}

void DriverChannel::OnReply(uintptr_t flag, const void* data, size_t size) {
  reply_flag_ = flag;
  reply_length_ = std::min(size, kReplyBufferSize);
  // The buffer grows to the longest reply so far: replies are a few bytes,
  // and a megabyte made up front costs milliseconds before the first request.
  // A reply without bytes reads as the zeros (or an older reply's bytes) there.
  if (reply_buffer_.size() < reply_length_) reply_buffer_.resize(reply_length_);
  if (data && reply_length_) std::memcpy(reply_buffer_.data(), data, reply_length_);
}

bool DriverChannel::SendDriverRequest(uint32_t code, std::string_view payload) {
  // Counts the wait even if a handler run during it throws.
  struct WaitCount {
    int& depth;
    explicit WaitCount(int& d) : depth(d) { ++depth; }
    ~WaitCount() { --depth; }
  } wait_count(waiting_);
  reply_flag_ = 0;
  transport_.Send(code, payload.substr(0, kMaxPayload));
  const uint32_t start = transport_.TickCount();
  reply_timed_out_ = false;
  for (;;) {
    if (reply_flag_ != 0) return true;
    const uint32_t elapsed = transport_.TickCount() - start;
    if (elapsed >= kReplyWaitMs) break;
    // Waits no longer than the time left, so a quiet queue cannot stretch it.
    transport_.HandleOneMessage(kReplyWaitMs - elapsed);
  }
  // A message that took long may have kept a reply sent in time from being
  // received; it still counts.
  transport_.ReceiveSentReplies();
  if (reply_flag_ != 0) return true;
  reply_timed_out_ = true;
  return false;
}

std::string_view DriverChannel::ReplyText() const {
  return UpToZero(reply_buffer_.data(), reply_length_);
}

bool DriverChannel::IsSupported(std::string_view keyword) const {
  return std::any_of(supported_features_.begin(), supported_features_.end(),
                     [keyword](const std::string& k) { return EqualIgnoringCase(k, keyword); });
}

void DriverChannel::ClearSupportedFeatures() {
  supported_features_.clear();
  list_state_ = ListState::kAwaited;
}

void DriverChannel::EnumFeatures() {
  supported_features_.clear();
  if (!SendDriverRequest(kEnumFeatures, "EnumFeatures")) {
    list_state_ = ListState::kTimedOut;
    return;
  }
  for (size_t offset = 0; offset + kFeatureEntrySize <= reply_length_; offset += kFeatureEntrySize)
    supported_features_.emplace_back(UpToZero(reply_buffer_.data() + offset, kFeatureEntrySize));
  list_state_ = ListState::kKnown;
  WriteHeldBack();
}

std::string DriverChannel::GetFeatureOption(std::string_view keyword) {
  std::string option = SendDriverRequest(kGetFeatureOption, keyword) ? std::string(ReplyText()) : std::string();
  WriteHeldBack();
  return option;
}

void DriverChannel::WriteNow(std::string_view keyword, std::string_view option) {
  if (!IsSupported(keyword)) return;
  // Read without sending held-back writes in between: a newer write of this
  // feature must come after this one.
  const bool answered = SendDriverRequest(kGetFeatureOption, keyword);
  if ((answered ? ReplyText() : std::string_view()) == option) return;
  std::string payload(keyword);
  payload += '=';
  payload += option;
  SendDriverRequest(kSetFeatureOption, payload);
}

void DriverChannel::SetFeatureOption(std::string_view keyword, std::string_view option) {
  const auto same_keyword = [keyword](const Write& w) { return w.keyword == keyword; };
  if (Waiting()) {
    // Made by a message handled during another request's wait: sent after
    // that request, so that the two cannot take each other's replies and an
    // older write cannot land after a newer one.
    const auto held = std::find_if(held_back_.begin(), held_back_.end(), same_keyword);
    if (held != held_back_.end())
      held->option = option;
    else
      held_back_.push_back({std::string(keyword), std::string(option)});
    return;
  }
  std::erase_if(held_back_, same_keyword);  // this write is the newer one
  if (list_state_ == ListState::kTimedOut) {
    held_back_.push_back({std::string(keyword), std::string(option)});
  } else {
    WriteNow(keyword, option);
  }
  WriteHeldBack();
}

void DriverChannel::WriteHeldBack() {
  if (held_back_.empty() || Waiting() || writing_held_back_ || list_state_ == ListState::kAwaited) return;
  writing_held_back_ = true;
  const bool timed_out = reply_timed_out_;
  if (list_state_ == ListState::kTimedOut) EnumFeatures();
  while (list_state_ == ListState::kKnown && !held_back_.empty()) {
    const Write write = held_back_.front();
    held_back_.erase(held_back_.begin());
    WriteNow(write.keyword, write.option);
  }
  reply_timed_out_ = timed_out;
  writing_held_back_ = false;
}

void DriverChannel::SelectPaper(int form_number) {
  SendDriverRequest(kSelectPaper, std::to_string(form_number));
  WriteHeldBack();
}

int DriverChannel::GetPaperIndex(std::string_view printer_name) {
  // A reply that is no number selects no paper, as an empty one does.
  int index = 0;
  if (SendDriverRequest(kGetPaperIndex, printer_name) && reply_length_ != 0) ParseInteger(ReplyText(), index);
  WriteHeldBack();
  return index;
}

void DriverChannel::NotifyTestPage(std::string_view printer_name) {
  SendDriverRequest(kNotifyTestPage, printer_name);
  WriteHeldBack();
}

}  // namespace velmo
