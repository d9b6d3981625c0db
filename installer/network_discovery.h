#pragma once
// The network half of a discovery pass: one query to the broadcast address
// of every local /24 network, and the printers' replies read into rows.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "found_printers.h"

namespace velmo {

constexpr std::uint16_t kDiscoveryPort = 3000;
constexpr std::string_view kDiscoveryQuery = "0";
// A reply is read up to its first zero byte, at most this many bytes.
constexpr std::size_t kMaxReplyText = 8095;

using Ipv4Address = std::array<std::uint8_t, 4>;

// The text without leading and trailing blanks and control characters.
std::string_view TrimmedText(std::string_view text);

// Four decimal numbers 0..255 joined by ".", none with a leading zero: the
// port script and other tools may read "010" as octal, so such an address
// would not name the printer that was meant.
bool IsDottedIpv4(std::string_view text);

// The one address check, for a typed address and for a discovery reply:
// the trimmed text when it is a dotted IPv4 address, nothing otherwise.
std::optional<std::string> CheckedIpv4Address(std::string_view text);

// a.b.c.255 for every host address a.b.c.d, whatever the netmask, in the
// order the queries go out: the last address first.
std::vector<std::string> QueryDestinations(const std::vector<Ipv4Address>& hostAddresses);

// The two fields of a reply, "IP:" and "DEVICENAME:", each up to ";" or the
// end, in any order; nothing when one is missing or the address is not a
// address that fails CheckedIpv4Address (it goes into command lines later).
struct ReplyFields {
  std::string address;
  std::string deviceName;
};
std::optional<ReplyFields> ReadReplyFields(std::string_view payload);

// The catalogue model whose text after its first blank equals `deviceName`
// without regard to case; nothing when none does.
std::optional<std::string> ModelOfDevice(std::string_view deviceName, const std::vector<std::string>& models);

struct DiscoveryReply {
  std::string model;    // the catalogue's full model name
  std::string address;  // from the reply's text, not its sender
};

// The printer a reply names (ReadReplyFields) with its catalogue model
// (ModelOfDevice); nothing when either is missing.
std::optional<DiscoveryReply> ReadDiscoveryReply(std::string_view payload, const std::vector<std::string>& models);

// The socket layer of the installer's UDP endpoint.
class DiscoveryNetwork {
 public:
  virtual ~DiscoveryNetwork() = default;
  // Sends the query to `address`, port 3000, from the endpoint (bound and
  // allowed to broadcast on first use). Errors are thrown to the caller.
  virtual void SendQuery(const std::string& address) = 0;
};

// The queries of one pass, to QueryDestinations of the local host's
// addresses; none when the addresses could not be had.
void SendDiscoveryQueries(DiscoveryNetwork& network, const std::optional<std::vector<Ipv4Address>>& hostAddresses);

}  // namespace velmo
