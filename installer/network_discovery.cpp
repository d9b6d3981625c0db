#include "network_discovery.h"

#include "text_list.h"

namespace velmo {
namespace {

constexpr std::string_view kAddressField = "IP:";
constexpr std::string_view kDeviceNameField = "DEVICENAME:";

// The text after the first `field`, up to ";" or the end.
std::optional<std::string_view> Field(std::string_view text, std::string_view field) {
  const std::size_t start = text.find(field);
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view rest = text.substr(start + field.size());
  return rest.substr(0, rest.find(';'));
}

std::string_view AfterFirstBlank(std::string_view model) {
  const std::size_t blank = model.find(' ');
  return blank == std::string_view::npos ? model : model.substr(blank + 1);
}

}  // namespace

std::string_view TrimmedText(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDottedIpv4(std::string_view text) {
  int numbers = 0;
  while (true) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
      value = value * 10 + (text[digits] - '0');
      if (++digits > 3) return false;
    }
    if (digits == 0 || value > 255 || (digits > 1 && text.front() == '0')) return false;
    text.remove_prefix(digits);
    if (++numbers == 4) return text.empty();
    if (text.empty() || text.front() != '.') return false;
    text.remove_prefix(1);
  }
}

std::optional<std::string> CheckedIpv4Address(std::string_view text) {
  const std::string_view address = TrimmedText(text);
  if (!IsDottedIpv4(address)) return std::nullopt;
  return std::string(address);
}

std::vector<std::string> QueryDestinations(const std::vector<Ipv4Address>& hostAddresses) {
  std::vector<std::string> destinations;
  for (auto address = hostAddresses.rbegin(); address != hostAddresses.rend(); ++address) {
    destinations.push_back(std::to_string((*address)[0]) + "." + std::to_string((*address)[1]) + "." +
                           std::to_string((*address)[2]) + ".255");
  }
  return destinations;
}

std::optional<ReplyFields> ReadReplyFields(std::string_view payload) {
  std::string_view text = payload.substr(0, payload.find('\0'));
  text = text.substr(0, kMaxReplyText);
  const std::optional<std::string_view> address = Field(text, kAddressField);
  const std::optional<std::string_view> deviceName = Field(text, kDeviceNameField);
  if (!address || !deviceName) return std::nullopt;
  std::optional<std::string> checked = CheckedIpv4Address(*address);
  if (!checked) return std::nullopt;
  return ReplyFields{std::move(*checked), std::string(*deviceName)};
}

std::optional<std::string> ModelOfDevice(std::string_view deviceName, const std::vector<std::string>& models) {
  for (const std::string& model : models) {
    if (SameTextIgnoringCase(AfterFirstBlank(model), deviceName)) return model;
  }
  return std::nullopt;
}

std::optional<DiscoveryReply> ReadDiscoveryReply(std::string_view payload, const std::vector<std::string>& models) {
  const std::optional<ReplyFields> fields = ReadReplyFields(payload);
  if (!fields) return std::nullopt;
  std::optional<std::string> model = ModelOfDevice(fields->deviceName, models);
  if (!model) return std::nullopt;
  return DiscoveryReply{std::move(*model), fields->address};
}

void SendDiscoveryQueries(DiscoveryNetwork& network, const std::optional<std::vector<Ipv4Address>>& hostAddresses) {
  if (!hostAddresses) return;
  for (const std::string& destination : QueryDestinations(*hostAddresses)) network.SendQuery(destination);
}

}  // namespace velmo
