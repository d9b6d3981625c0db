// libFuzzer entry: one discovery reply from any host, read against the
// catalogue's models, and the port and queue commands an installation of
// the printer it names would build. The address must be a dotted IPv4
// address and every command must fit its buffer.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string_view>

#include "fuzz_check.h"
#include "install_commands.h"
#include "network_discovery.h"

namespace {

struct CountingView : velmo::PrinterRowsView {
  void RowAppended(const velmo::PrinterRow&) override { ++rows; }
  void RowRemoved(std::size_t) override { VELMO_FUZZ_CHECK(!"a network row is never removed"); }
  std::size_t rows = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<std::string> models = {"Velmo LT42", "Velmo LT43", "Velmo LP80", "Velmo LP58",
                                                  "Acme X"};
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  const auto reply = velmo::ReadDiscoveryReply(payload, models);
  if (!reply) return 0;
  VELMO_FUZZ_CHECK(velmo::IsDottedIpv4(reply->address));
  VELMO_FUZZ_CHECK(reply->address.size() <= 15);
  VELMO_FUZZ_CHECK(std::ranges::find(models, reply->model) != models.end());

  CountingView view;
  velmo::FoundPrinters rows(view);
  rows.AddNetworkPrinter(reply->model, reply->address);
  rows.AddNetworkPrinter(reply->model, reply->address);
  VELMO_FUZZ_CHECK(view.rows == 1 && rows.Rows().size() == 1);

  const std::string port = velmo::NetworkPortName(reply->address);
  const std::string queue = velmo::NetworkQueueName(reply->model, reply->address);
  const velmo::ToolFolders tools{"C:\\Windows\\System32\\", "C:\\Velmo\\"};
  if (const auto command = velmo::PortCommand(tools, port, reply->address))
    VELMO_FUZZ_CHECK(command->size() <= velmo::kMaxCommandLength);
  if (const auto command = velmo::QueueCommand(tools, queue, port, reply->model))
    VELMO_FUZZ_CHECK(command->size() <= velmo::kMaxCommandLength);
  return 0;
}
