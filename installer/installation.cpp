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
// within its time (RunHidden gives -1 and kStillRunning otherwise).
bool RanWell(InstallationPeers& peers, std::string_view step, const std::optional<std::string>& command,
             const std::string& workingFolder = {}) {
  if (!command) {
    peers.StepDone(step, "", "not run: the command line would not fit");
    return false;
  }
  const int code = peers.RunHidden(*command, kCommandTimeoutMs, workingFolder);
  peers.StepDone(step, *command, CommandResultText(code));
  return code == 0;
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

// Runs the driver setup program; false when the installation cannot go on
// (it did not start, or a silent run's limit passed).
bool RunDriverSetup(InstallationPeers& peers, bool silent, FirstFailure& failure) {
  const std::optional<unsigned> limit = silent ? std::optional<unsigned>(kSilentDriverSetupMs) : std::nullopt;
  const int code = peers.RunElevated(kDriverSetupProgram, peers.ProgramFolder(), limit);
  const bool stillRunning = limit && code == kStillRunning;
  peers.StepDone("driver setup", kDriverSetupProgram,
                 code == -1     ? "refused or could not start"
                 : stillRunning ? "still running after " + std::to_string(kSilentDriverSetupMs) + " ms"
                                : "exit code " + std::to_string(code));
  failure.Note(code == 0, InstallationStep::DriverSetup);
  return code != -1 && !stillRunning;
}

}  // namespace

std::string CommandResultText(int code) {
  if (code == -1) return "could not start";
  if (code == kStillRunning) return "still running after " + std::to_string(kCommandTimeoutMs) + " ms";
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

bool DevconRescan(InstallationPeers& peers) {
  return RanWell(peers, "devcon rescan", DevconRescanCommand(peers.ProgramFolder(), peers.NativeArchitecture()));
}

bool DevconRestart(InstallationPeers& peers, const std::string& pattern) {
  return RanWell(peers, "devcon restart",
                 DevconRestartCommand(peers.ProgramFolder(), peers.NativeArchitecture(), pattern));
}

std::optional<InstallationStep> AddNetworkPrinter(InstallationPeers& peers, const std::string& queueName,
                                                  const std::string& modelText, const std::string& ipText) {
  const std::string port = NetworkPortName(ipText);
  FirstFailure failure;
  // The script host looks the port script up in its current folder: the
  // program's own, wherever the installer was started from.
  failure.Note(RanWell(peers, "port", PortCommand(port, ipText), peers.ProgramFolder()),
               InstallationStep::PortCommand);
  failure.Note(RanWell(peers, "queue", QueueCommand(queueName, port, modelText)), InstallationStep::QueueCommand);
  return failure.Step();
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

InstallationResult InstallPrinter(const InstallationRequest& request, const InstalledPrinters& known,
                                  InstallationPeers& peers) {
  if (request.network) {
    if (const std::optional<InstallationOutcome> problem = NetworkInputProblem(request))
      return {*problem, false, std::nullopt};
  }
  FirstFailure failure;
  if (request.installDriver && !RunDriverSetup(peers, request.silent, failure)) return failure.Finished(false);
  bool queueAppeared = false;
  if (request.usb) {
    failure.Note(DevconRescan(peers), InstallationStep::DevconRescan);
    peers.Pause(kDeviceSettleMs);
    failure.Note(DevconRestart(peers, kUsbPrinterClassPattern), InstallationStep::DevconRestart);
    queueAppeared = WaitForUsbQueue(peers, known, kQueueWaitMs, request.silent);
  } else if (request.network) {
    const std::string address = *CheckedIpv4Address(request.ipText);
    const std::string queueName = NetworkQueueName(request.modelText, address);
    failure.Note(AddNetworkPrinter(peers, queueName, request.modelText, address));
    queueAppeared = WaitForNetworkQueue(peers, known, queueName, kQueueWaitMs, request.silent);
    if (!request.silent) OpenPrintersFolder(peers);
  }
  return failure.Finished(queueAppeared);
}

}  // namespace velmo
