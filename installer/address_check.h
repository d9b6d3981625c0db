#pragma once
// The check of one typed address, for a printer that the broadcast cannot
// reach: the discovery query to that address alone, and the first reply
// that names it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// How long a check waits for its answer.
constexpr unsigned kAddressCheckWaitMs = 1000;

struct AddressAnswer {
  std::string deviceName;            // as the printer named itself
  std::optional<std::string> model;  // its catalogue model, when the package holds one
  std::string reportedAddress = {};  // the "IP:" of its reply, which may differ (translation, a stale setting)
};

class AddressCheck {
 public:
  explicit AddressCheck(std::string address) : address_(std::move(address)) {}
  const std::string& Address() const { return address_; }

  // One discovery reply from `source` (the datagram's sender); true when it
  // is the first that came from the checked address, whatever address the
  // printer reports in it. Replies of other printers (to the broadcasts)
  // are not answers.
  bool Offer(std::string_view source, std::string_view payload, const std::vector<std::string>& models);
  const std::optional<AddressAnswer>& Answer() const { return answer_; }

 private:
  std::string address_;
  std::optional<AddressAnswer> answer_;
};

// The result in a few words, for the log and the English window; an answer
// that reports another address says both ("Velmo LT42 answered at
// 10.77.0.2; it reports 192.168.1.50").
std::string AddressCheckSummary(const std::string& address, const std::optional<AddressAnswer>& answer);

}  // namespace velmo
