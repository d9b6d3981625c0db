#include "address_check.h"

#include "network_discovery.h"

namespace velmo {

bool AddressCheck::Offer(std::string_view source, std::string_view payload, const std::vector<std::string>& models) {
  if (answer_ || source != address_) return false;
  const std::optional<ReplyFields> fields = ReadReplyFields(payload);
  if (!fields) return false;
  answer_ = AddressAnswer{fields->deviceName, ModelOfDevice(fields->deviceName, models), fields->address};
  return true;
}

std::string AddressCheckSummary(const std::string& address, const std::optional<AddressAnswer>& answer) {
  if (!answer) {
    return "nothing answered at " + address + " within " + std::to_string(kAddressCheckWaitMs) + " ms";
  }
  const std::string reports = !answer->reportedAddress.empty() && answer->reportedAddress != address
                                  ? "; it reports " + answer->reportedAddress
                                  : "";
  if (answer->model) return *answer->model + " answered at " + address + reports;
  return "\"" + answer->deviceName + "\" answered at " + address + reports +
         ", a model this driver package does not hold";
}

}  // namespace velmo
