#include "installation.h"

#include <algorithm>
#include <functional>

#include "install_commands.h"
#include "network_discovery.h"

namespace velmo {
namespace {

constexpr unsigned kDeviceSettleMs = 2000;
constexpr unsigned kBeforeDefaultMs = 1000;
constexpr unsigned kQueuePollMs = 100;

bool HoldsQuote(const std::string& text) { return text.find('"') != std::string::npos; }

// The queue's driver comes from this package when it is one of its models:
// that is the driver name the queue command installs.
bool FromCatalogue(const PrinterQueue& queue, const std::vector<std::string>& models) {
  return std::ranges::any_of(models, [&](const std::string& model) {
    return SameTextIgnoringCase(model, queue.driverName);
  });
}

void RunIfBuilt(InstallationPeers& peers, const std::optional<std::string>& command,
                const std::string& workingFolder = {}) {
  if (command) peers.RunHidden(*command, kCommandTimeoutMs, workingFolder);
}

void WaitForQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs,
                  const std::function<bool(const PrinterQueue&)>& isNew) {
  const std::uint32_t start = peers.Ticks();
  while (peers.Ticks() - start < limitMs) {
    const std::optional<std::vector<PrinterQueue>> queues = peers.LocalQueues();
    if (!queues) return;
    for (const PrinterQueue& queue : *queues) {
      if ((queue.attributes & kQueueWorkOffline) || !FromCatalogue(queue, known.catalogueModels) || !isNew(queue))
        continue;
      peers.Pause(kBeforeDefaultMs);
      peers.MakeDefaultPrinter(queue.printerName);
      peers.Start(kPrintersFolderCommand);
      return;
    }
    peers.Pause(kQueuePollMs);
  }
}

// The network choice's fields, checked before anything runs: the address
// as a dotted IPv4 address once trimmed, the model free of a double quote
// (which would end its quoted argument early), and command lines that fit
// (one cut short is not run).
std::optional<InstallationOutcome> NetworkInputProblem(const InstallationRequest& request,
                                                       const std::optional<std::string>& address) {
  if (!address) return InstallationOutcome::FocusAddress;
  if (!HasText(request.modelText) || HoldsQuote(request.modelText)) return InstallationOutcome::FocusModel;
  const std::string port = NetworkPortName(*address);
  if (!PortCommand(port, *address)) return InstallationOutcome::FocusAddress;
  if (!QueueCommand(NetworkQueueName(request.modelText, *address), port, request.modelText))
    return InstallationOutcome::FocusModel;
  return std::nullopt;
}

}  // namespace

bool HasText(std::string_view text) { return !TrimmedText(text).empty(); }

void DevconRescan(InstallationPeers& peers) {
  RunIfBuilt(peers, DevconRescanCommand(peers.ProgramFolder(), peers.NativeArchitecture()));
}

void DevconRestart(InstallationPeers& peers, const std::string& pattern) {
  RunIfBuilt(peers, DevconRestartCommand(peers.ProgramFolder(), peers.NativeArchitecture(), pattern));
}

void AddNetworkPrinter(InstallationPeers& peers, const std::string& queueName, const std::string& modelText,
                       const std::string& ipText) {
  const std::string port = NetworkPortName(ipText);
  // The script host looks the port script up in its current folder: the
  // program's own, wherever the installer was started from.
  RunIfBuilt(peers, PortCommand(port, ipText), peers.ProgramFolder());
  RunIfBuilt(peers, QueueCommand(queueName, port, modelText));
}

void WaitForUsbQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs) {
  WaitForQueue(peers, known, limitMs, [&](const PrinterQueue& queue) {
    // An empty port name would be found in every ID.
    return !queue.portName.empty() && std::ranges::any_of(known.usbDeviceIds.Items(), [&](const std::string& id) {
      return id.find(queue.portName) != std::string::npos;
    });
  });
}

void WaitForNetworkQueue(InstallationPeers& peers, const InstalledPrinters& known, const std::string& queueName,
                         unsigned limitMs) {
  WaitForQueue(peers, known, limitMs, [&](const PrinterQueue& queue) { return queue.printerName == queueName; });
}

InstallationOutcome InstallPrinter(const InstallationRequest& request, const InstalledPrinters& known,
                                   InstallationPeers& peers) {
  const std::optional<std::string> address = CheckedIpv4Address(request.ipText);
  if (request.network) {
    if (const std::optional<InstallationOutcome> problem = NetworkInputProblem(request, address)) return *problem;
  }
  if (request.installDriver && !peers.RunElevated(kDriverSetupProgram, peers.ProgramFolder()))
    return InstallationOutcome::Finished;
  if (request.usb) {
    DevconRescan(peers);
    peers.Pause(kDeviceSettleMs);
    DevconRestart(peers, kUsbPrinterClassPattern);
    WaitForUsbQueue(peers, known, kQueueWaitMs);
  } else if (request.network) {
    const std::string queueName = NetworkQueueName(request.modelText, *address);
    AddNetworkPrinter(peers, queueName, request.modelText, *address);
    WaitForNetworkQueue(peers, known, queueName, kQueueWaitMs);
    peers.Start(kPrintersFolderCommand);
  }
  return InstallationOutcome::Finished;
}

}  // namespace velmo
