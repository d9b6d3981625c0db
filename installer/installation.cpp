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
constexpr int kStillActive = 259;

bool HoldsQuote(const std::string& text) { return text.find('"') != std::string::npos; }

// The queue's driver comes from this package when it is one of its models:
// that is the driver name the queue command installs.
bool FromCatalogue(const PrinterQueue& queue, const std::vector<std::string>& models) {
  return std::ranges::any_of(models, [&](const std::string& model) {
    return SameTextIgnoringCase(model, queue.driverName);
  });
}

void RunIfBuilt(InstallationPeers& peers, std::string_view step, const std::optional<std::string>& command,
                const std::string& workingFolder = {}) {
  if (!command) {
    peers.StepDone(step, "", "not run: the command line would not fit");
    return;
  }
  peers.StepDone(step, *command, CommandResultText(peers.RunHidden(*command, kCommandTimeoutMs, workingFolder)));
}

void OpenPrintersFolder(InstallationPeers& peers) {
  peers.Start(kPrintersFolderCommand);
  peers.StepDone("printers folder", kPrintersFolderCommand, "started");
}

bool WaitForQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs, bool silent,
                  const std::function<bool(const PrinterQueue&)>& isNew) {
  const std::uint32_t start = peers.Ticks();
  while (peers.Ticks() - start < limitMs) {
    const std::optional<std::vector<PrinterQueue>> queues = peers.LocalQueues();
    if (!queues) {
      peers.StepDone("queue wait", "", "the spooler's list could not be had");
      return false;
    }
    for (const PrinterQueue& queue : *queues) {
      if ((queue.attributes & kQueueWorkOffline) || !FromCatalogue(queue, known.catalogueModels) || !isNew(queue))
        continue;
      peers.StepDone("queue wait", "", "found \"" + queue.printerName + "\" on port " + queue.portName);
      peers.Pause(kBeforeDefaultMs);
      peers.MakeDefaultPrinter(queue.printerName);
      peers.StepDone("default printer", "", queue.printerName);
      if (!silent) OpenPrintersFolder(peers);
      return true;
    }
    peers.Pause(kQueuePollMs);
  }
  peers.StepDone("queue wait", "", "no new queue within " + std::to_string(limitMs) + " ms");
  return false;
}

// Runs the driver setup program; false when the installation cannot go on.
bool RunDriverSetup(InstallationPeers& peers, bool silent) {
  const std::optional<unsigned> limit = silent ? std::optional<unsigned>(kSilentDriverSetupMs) : std::nullopt;
  const ElevatedRun run = peers.RunElevated(kDriverSetupProgram, peers.ProgramFolder(), limit);
  switch (run) {
    case ElevatedRun::Ended:
      peers.StepDone("driver setup", kDriverSetupProgram, "ended");
      return true;
    case ElevatedRun::NotStarted:
      peers.StepDone("driver setup", kDriverSetupProgram, "refused or could not start");
      return false;
    case ElevatedRun::StillRunning:
      peers.StepDone("driver setup", kDriverSetupProgram,
                     "still running after " + std::to_string(kSilentDriverSetupMs) + " ms");
      return false;
  }
  return false;
}

}  // namespace

std::string CommandResultText(int code) {
  if (code == -1) return "could not start";
  if (code == kStillActive) return "still running after " + std::to_string(kCommandTimeoutMs) + " ms";
  return "exit code " + std::to_string(code);
}

bool HasText(std::string_view text) { return !TrimmedText(text).empty(); }

// The address as a dotted IPv4 address once trimmed, the model free of a
// double quote (which would end its quoted argument early), and command
// lines that fit (one cut short is not run).
std::optional<InstallationOutcome> NetworkInputProblem(const InstallationRequest& request) {
  const std::optional<std::string> address = CheckedIpv4Address(request.ipText);
  if (!address) return InstallationOutcome::FocusAddress;
  if (!HasText(request.modelText) || HoldsQuote(request.modelText)) return InstallationOutcome::FocusModel;
  const std::string port = NetworkPortName(*address);
  if (!PortCommand(port, *address)) return InstallationOutcome::FocusAddress;
  if (!QueueCommand(NetworkQueueName(request.modelText, *address), port, request.modelText))
    return InstallationOutcome::FocusModel;
  return std::nullopt;
}

void DevconRescan(InstallationPeers& peers) {
  RunIfBuilt(peers, "devcon rescan", DevconRescanCommand(peers.ProgramFolder(), peers.NativeArchitecture()));
}

void DevconRestart(InstallationPeers& peers, const std::string& pattern) {
  RunIfBuilt(peers, "devcon restart",
             DevconRestartCommand(peers.ProgramFolder(), peers.NativeArchitecture(), pattern));
}

void AddNetworkPrinter(InstallationPeers& peers, const std::string& queueName, const std::string& modelText,
                       const std::string& ipText) {
  const std::string port = NetworkPortName(ipText);
  // The script host looks the port script up in its current folder: the
  // program's own, wherever the installer was started from.
  RunIfBuilt(peers, "port", PortCommand(port, ipText), peers.ProgramFolder());
  RunIfBuilt(peers, "queue", QueueCommand(queueName, port, modelText));
}

bool WaitForUsbQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs, bool silent) {
  return WaitForQueue(peers, known, limitMs, silent, [&](const PrinterQueue& queue) {
    // An empty port name would be found in every ID.
    return !queue.portName.empty() && std::ranges::any_of(known.usbDeviceIds.Items(), [&](const std::string& id) {
      return id.find(queue.portName) != std::string::npos;
    });
  });
}

bool WaitForNetworkQueue(InstallationPeers& peers, const InstalledPrinters& known, const std::string& queueName,
                         unsigned limitMs, bool silent) {
  return WaitForQueue(peers, known, limitMs, silent,
                      [&](const PrinterQueue& queue) { return queue.printerName == queueName; });
}

InstallationOutcome InstallPrinter(const InstallationRequest& request, const InstalledPrinters& known,
                                   InstallationPeers& peers) {
  if (request.network) {
    if (const std::optional<InstallationOutcome> problem = NetworkInputProblem(request)) return *problem;
  }
  const std::optional<std::string> address = CheckedIpv4Address(request.ipText);
  if (request.installDriver && !RunDriverSetup(peers, request.silent)) return InstallationOutcome::DriverSetupFailed;
  bool found = false;
  if (request.usb) {
    DevconRescan(peers);
    peers.Pause(kDeviceSettleMs);
    DevconRestart(peers, kUsbPrinterClassPattern);
    found = WaitForUsbQueue(peers, known, kQueueWaitMs, request.silent);
  } else if (request.network) {
    const std::string queueName = NetworkQueueName(request.modelText, *address);
    AddNetworkPrinter(peers, queueName, request.modelText, *address);
    found = WaitForNetworkQueue(peers, known, queueName, kQueueWaitMs, request.silent);
    if (!request.silent) OpenPrintersFolder(peers);
  }
  return found ? InstallationOutcome::Installed : InstallationOutcome::NoQueue;
}

}  // namespace velmo
