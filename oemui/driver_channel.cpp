#include "driver_channel.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

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

DriverChannel::DriverChannel(DriverTransport& transport)
    : transport_(transport), reply_buffer_(kReplyBufferSize) {}

void DriverChannel::OnReply(uintptr_t flag, const void* data, size_t size) {
  reply_flag_ = flag;
  reply_length_ = std::min(size, kReplyBufferSize);
  if (data && reply_length_) std::memcpy(reply_buffer_.data(), data, reply_length_);
}

bool DriverChannel::SendDriverRequest(uint32_t code, std::string_view payload) {
  reply_flag_ = 0;
  transport_.Send(code, payload.substr(0, kMaxPayload));
  const uint32_t start = transport_.TickCount();
  reply_timed_out_ = false;
  for (;;) {
    const uint32_t elapsed = transport_.TickCount() - start;
    if (elapsed >= kReplyWaitMs) break;
    if (reply_flag_ != 0) return true;
    // Waits no longer than the time left, so a quiet queue cannot stretch it.
    transport_.HandleOneMessage(kReplyWaitMs - elapsed);
  }
  // A reply that arrived with the last message handled still counts.
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

void DriverChannel::EnumFeatures() {
  supported_features_.clear();
  if (!SendDriverRequest(kEnumFeatures, "EnumFeatures")) return;
  for (size_t offset = 0; offset + kFeatureEntrySize <= reply_length_; offset += kFeatureEntrySize)
    supported_features_.emplace_back(UpToZero(reply_buffer_.data() + offset, kFeatureEntrySize));
}

std::string DriverChannel::GetFeatureOption(std::string_view keyword) {
  if (!SendDriverRequest(kGetFeatureOption, keyword)) return {};
  return std::string(ReplyText());
}

void DriverChannel::SetFeatureOption(std::string_view keyword, std::string_view option) {
  if (!IsSupported(keyword)) return;
  if (GetFeatureOption(keyword) == option) return;
  std::string payload(keyword);
  payload += '=';
  payload += option;
  SendDriverRequest(kSetFeatureOption, payload);
}

void DriverChannel::SelectPaper(int form_number) {
  SendDriverRequest(kSelectPaper, std::to_string(form_number));
}

int DriverChannel::GetPaperIndex(std::string_view printer_name) {
  if (!SendDriverRequest(kGetPaperIndex, printer_name) || reply_length_ == 0) return 0;
  const std::string_view text = ReplyText();
  int index = 0;
  if (!ParseInteger(text, index))
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid integer value");
  return index;
}

void DriverChannel::NotifyTestPage(std::string_view printer_name) {
  SendDriverRequest(kNotifyTestPage, printer_name);
}

}  // namespace velmo
