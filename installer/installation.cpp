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

// True when the command was built, started and ended with exit code 0
// within its time (RunHidden gives -1 and 259 otherwise).
bool RanWell(InstallationPeers& peers, const std::optional<std::string>& command,
             const std::string& workingFolder = {}) {
  return command && peers.RunHidden(*command, kCommandTimeoutMs, workingFolder) == 0;
}

bool WaitForQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs,
                  const std::function<bool(const PrinterQueue&)>& isNew) {
  const std::uint32_t start = peers.Ticks();
  while (peers.Ticks() - start < limitMs) {
    const std::optional<std::vector<PrinterQueue>> queues = peers.LocalQueues();
    if (!queues) return false;
    for (const PrinterQueue& queue : *queues) {
      if ((queue.attributes & kQueueWorkOffline) || !FromCatalogue(queue, known.catalogueModels) || !isNew(queue))
        continue;
      peers.Pause(kBeforeDefaultMs);
      peers.MakeDefaultPrinter(queue.printerName);
      peers.Start(kPrintersFolderCommand);
      return true;
    }
    peers.Pause(kQueuePollMs);
  }
  return false;
}

// The first failure noted, kept while later steps run on.
class FirstFailure {
 public:
  void Note(bool wentWell, InstallationStep step) {
    if (!wentWell && !step_) step_ = step;
  }
  void Note(std::optional<InstallationStep> failed) {
    if (failed && !step_) step_ = failed;
  }
  std::optional<InstallationStep> Step() const { return step_; }
  InstallationResult Finished(bool queueAppeared) const {
    if (queueAppeared) return {InstallationOutcome::Finished, true, std::nullopt};
    return {InstallationOutcome::Finished, false, step_.value_or(InstallationStep::QueueWait)};
  }

 private:
  std::optional<InstallationStep> step_;
};

// The network choice's fields, checked before anything runs: the address
// as a dotted IPv4 address once trimmed (its port command always fits), the
// model free of a double quote (which would end its quoted argument early)
// and short enough for the queue command (one cut short is not run).
std::optional<InstallationOutcome> NetworkInputProblem(const InstallationRequest& request,
                                                       const std::optional<std::string>& address) {
  if (!address) return InstallationOutcome::FocusAddress;
  if (!HasText(request.modelText) || HoldsQuote(request.modelText)) return InstallationOutcome::FocusModel;
  if (!QueueCommand(NetworkQueueName(request.modelText, *address), NetworkPortName(*address), request.modelText))
    return InstallationOutcome::FocusModel;
  return std::nullopt;
}

}  // namespace

bool HasText(std::string_view text) { return !TrimmedText(text).empty(); }

bool DevconRescan(InstallationPeers& peers) {
  return RanWell(peers, DevconRescanCommand(peers.ProgramFolder(), peers.NativeArchitecture()));
}

bool DevconRestart(InstallationPeers& peers, const std::string& pattern) {
  return RanWell(peers, DevconRestartCommand(peers.ProgramFolder(), peers.NativeArchitecture(), pattern));
}

std::optional<InstallationStep> AddNetworkPrinter(InstallationPeers& peers, const std::string& queueName,
                                                  const std::string& modelText, const std::string& ipText) {
  const std::string port = NetworkPortName(ipText);
  FirstFailure failure;
  // The script host looks the port script up in its current folder: the
  // program's own, wherever the installer was started from.
  failure.Note(RanWell(peers, PortCommand(port, ipText), peers.ProgramFolder()), InstallationStep::PortCommand);
  failure.Note(RanWell(peers, QueueCommand(queueName, port, modelText)), InstallationStep::QueueCommand);
  return failure.Step();
}

bool WaitForUsbQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs) {
  return WaitForQueue(peers, known, limitMs, [&](const PrinterQueue& queue) {
    // An empty port name would be found in every ID.
    return !queue.portName.empty() && std::ranges::any_of(known.usbDeviceIds.Items(), [&](const std::string& id) {
      return id.find(queue.portName) != std::string::npos;
    });
  });
}

bool WaitForNetworkQueue(InstallationPeers& peers, const InstalledPrinters& known, const std::string& queueName,
                         unsigned limitMs) {
  return WaitForQueue(peers, known, limitMs, [&](const PrinterQueue& queue) { return queue.printerName == queueName; });
}

InstallationResult InstallPrinter(const InstallationRequest& request, const InstalledPrinters& known,
                                  InstallationPeers& peers) {
  const std::optional<std::string> address = CheckedIpv4Address(request.ipText);
  if (request.network) {
    if (const std::optional<InstallationOutcome> problem = NetworkInputProblem(request, address))
      return {*problem, false, std::nullopt};
  }
  FirstFailure failure;
  if (request.installDriver) {
    const int setup = peers.RunElevated(kDriverSetupProgram, peers.ProgramFolder());
    failure.Note(setup == 0, InstallationStep::DriverSetup);
    if (setup == -1) return failure.Finished(false);
  }
  bool queueAppeared = false;
  if (request.usb) {
    failure.Note(DevconRescan(peers), InstallationStep::DevconRescan);
    peers.Pause(kDeviceSettleMs);
    failure.Note(DevconRestart(peers, kUsbPrinterClassPattern), InstallationStep::DevconRestart);
    queueAppeared = WaitForUsbQueue(peers, known, kQueueWaitMs);
  } else if (request.network) {
    const std::string queueName = NetworkQueueName(request.modelText, *address);
    failure.Note(AddNetworkPrinter(peers, queueName, request.modelText, *address));
    queueAppeared = WaitForNetworkQueue(peers, known, queueName, kQueueWaitMs);
    peers.Start(kPrintersFolderCommand);
  }
  return failure.Finished(queueAppeared);
}

}  // namespace velmo
