#include "installation.h"

#include <algorithm>
#include <functional>

#include "install_commands.h"
#include "install_record.h"
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

bool RanWell(InstallationPeers& peers, std::string_view step, const std::optional<std::string>& command,
             const std::string& workingFolder = {}) {
  return RunLogged(peers, step, command, workingFolder) == 0;
}

// devcon ends with 1 when it did its work and wants the computer restarted.
bool DevconRanWell(InstallationPeers& peers, std::string_view step, const std::optional<std::string>& command,
                   bool& restartNeeded) {
  const int code = RunLogged(peers, step, command);
  if (code == kDevconRestartNeeded) restartNeeded = true;
  return code == 0 || code == kDevconRestartNeeded;
}

void OpenPrintersFolder(InstallationPeers& peers) {
  const std::optional<std::string> command = PrintersFolderCommand(peers.Tools());
  if (!command) return peers.StepDone("printers folder", "", "not run: the command line could not be built");
  peers.Start(*command);
  peers.StepDone("printers folder", *command, "started");
}

std::optional<PrinterQueue> WaitForQueue(InstallationPeers& peers, const InstalledPrinters& known, unsigned limitMs,
                                         const std::function<bool(const PrinterQueue&)>& isNew) {
  const std::uint32_t start = peers.Ticks();
  while (peers.Ticks() - start < limitMs) {
    const std::optional<std::vector<PrinterQueue>> queues = peers.LocalQueues();
    if (!queues) {
      peers.StepDone("queue wait", "", "the spooler's list could not be had");
      return std::nullopt;
    }
    for (const PrinterQueue& queue : *queues) {
      // A queue set to work offline is there all the same.
      if (!FromCatalogue(queue, known.catalogueModels) || !isNew(queue)) continue;
      peers.StepDone("queue wait", "", "found \"" + queue.printerName + "\" on port " + queue.portName);
      return queue;
    }
    peers.Pause(kQueuePollMs);
  }
  peers.StepDone("queue wait", "", "no new queue within " + std::to_string(limitMs) + " ms");
  return std::nullopt;
}

// Run by the user's own process, also when an elevated helper found the
// queue: the default printer is the user's.
void ActOnNewQueue(InstallationPeers& peers, const PrinterQueue& queue, const InstallationRequest& request) {
  if (request.leaveDefaultBecause.empty()) {
    peers.Pause(kBeforeDefaultMs);
    peers.MakeDefaultPrinter(queue.printerName);
    peers.StepDone("default printer", "", queue.printerName);
  } else {
    peers.StepDone("default printer", "", request.leaveDefaultBecause);
  }
  if (!request.silent) OpenPrintersFolder(peers);
}

// What a deployment tool detects the installation by.
void RecordInstallation(InstallationPeers& peers, const PrinterQueue& queue, const std::string& address) {
  const std::optional<std::string> key = InstallRecordKey(queue.printerName);
  if (!key) return peers.StepDone("install record", "", "not written: the queue's name holds a backslash");
  const bool written = peers.RecordInstallation(*key, queue.driverName, queue.portName, address);
  peers.StepDone("install record", "HKLM\\" + *key, written ? "written" : "could not be written");
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
  InstallationResult Finished(bool queueAppeared, bool restartNeeded = false) const {
    if (queueAppeared) return {InstallationOutcome::Finished, true, std::nullopt, restartNeeded};
    return {InstallationOutcome::Finished, false, step_.value_or(InstallationStep::QueueWait), restartNeeded};
  }

 private:
  std::optional<InstallationStep> step_;
};

// Runs the driver setup program; false when the installation cannot go on
// (it did not start, or a silent run's limit passed).
bool RunDriverSetup(InstallationPeers& peers, bool silent, FirstFailure& failure) {
  const std::optional<unsigned> limit = silent ? std::optional<unsigned>(kSilentDriverSetupMs) : std::nullopt;
  const std::string folder = peers.ProgramFolder();
  const std::string program = folder + kDriverSetupProgram;
  const int code = peers.RunElevated(program, folder, limit);
  const bool stillRunning = limit && code == kStillRunning;
  peers.StepDone("driver setup", program,
                 code == -1     ? "refused or could not start"
                 : stillRunning ? "still running after " + std::to_string(kSilentDriverSetupMs) + " ms"
                                : "exit code " + std::to_string(code));
  failure.Note(code == 0, InstallationStep::DriverSetup);
  return code != -1 && !stillRunning;
}

}  // namespace

int RunLogged(InstallationPeers& peers, std::string_view step, const std::optional<std::string>& command,
              const std::string& workingFolder) {
  if (!command) {
    peers.StepDone(step, "", "not run: the command line could not be built (a folder unknown or too long)");
    return -1;
  }
  const int code = peers.RunHidden(*command, kCommandTimeoutMs, workingFolder);
  peers.StepDone(step, *command, CommandResultText(code));
  return code;
}

std::string CommandResultText(int code) {
  if (code == -1) return "could not start";
  if (code == kNotInCodePage) return "not run: the code page of the command interpreter cannot hold the text";
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
  return std::nullopt;
}

bool DevconRescan(InstallationPeers& peers, bool& restartNeeded) {
  return DevconRanWell(peers, "devcon rescan",
                       DevconRescanCommand(peers.ProgramFolder(), peers.NativeArchitecture()), restartNeeded);
}

bool DevconRestart(InstallationPeers& peers, const std::string& pattern, bool& restartNeeded) {
  return DevconRanWell(peers, "devcon restart",
                       DevconRestartCommand(peers.ProgramFolder(), peers.NativeArchitecture(), pattern),
                       restartNeeded);
}

std::optional<InstallationStep> AddNetworkPrinter(InstallationPeers& peers, const std::string& queueName,
                                                  const std::string& modelText, const std::string& ipText) {
  const std::string port = NetworkPortName(ipText);
  FirstFailure failure;
  const ToolFolders tools = peers.Tools();
  // Run in the program's folder, wherever the installer was started from.
  failure.Note(RanWell(peers, "port", PortCommand(tools, port, ipText), tools.program),
               InstallationStep::PortCommand);
  failure.Note(RanWell(peers, "queue", QueueCommand(tools, queueName, port, modelText)),
               InstallationStep::QueueCommand);
  return failure.Step();
}

std::optional<PrinterQueue> WaitForUsbQueue(InstallationPeers& peers, const InstalledPrinters& known,
                                            unsigned limitMs) {
  return WaitForQueue(peers, known, limitMs, [&](const PrinterQueue& queue) {
    // An empty port name would be found in every ID.
    return !queue.portName.empty() && std::ranges::any_of(known.usbDeviceIds.Items(), [&](const std::string& id) {
      return id.find(queue.portName) != std::string::npos;
    });
  });
}

std::optional<PrinterQueue> WaitForNetworkQueue(InstallationPeers& peers, const InstalledPrinters& known,
                                                const std::string& queueName, unsigned limitMs) {
  return WaitForQueue(peers, known, limitMs,
                      [&](const PrinterQueue& queue) { return queue.printerName == queueName; });
}

CommandsOutcome InstallationPeers::RunAdministratorSteps(const InstallationRequest& request,
                                                         const InstalledPrinters& known) {
  return velmo::RunAdministratorSteps(request, known, *this);
}

CommandsOutcome RunAdministratorSteps(const InstallationRequest& request, const InstalledPrinters& known,
                                      InstallationPeers& peers) {
  for (const std::string& command : request.recordCommands)
    peers.StepDone("language", command, CommandResultText(peers.RunBatch(command)));
  FirstFailure failure;
  if (request.installDriver && !RunDriverSetup(peers, request.silent, failure)) return {false, failure.Step()};
  bool restartNeeded = false;
  std::optional<PrinterQueue> queue;
  std::string address = "USB";
  if (request.usb) {
    failure.Note(DevconRescan(peers, restartNeeded), InstallationStep::DevconRescan);
    peers.Pause(kDeviceSettleMs);
    failure.Note(DevconRestart(peers, kUsbPrinterClassPattern, restartNeeded), InstallationStep::DevconRestart);
    queue = WaitForUsbQueue(peers, known, kQueueWaitMs);
  } else if (request.network) {
    address = *CheckedIpv4Address(request.ipText);
    const std::string queueName = NetworkQueueName(request.modelText, address);
    failure.Note(AddNetworkPrinter(peers, queueName, request.modelText, address));
    queue = WaitForNetworkQueue(peers, known, queueName, kQueueWaitMs);
  }
  if (queue) RecordInstallation(peers, *queue, address);
  return {true, failure.Step(), restartNeeded, queue};
}

InstallationResult InstallPrinter(const InstallationRequest& request, const InstalledPrinters& known,
                                  InstallationPeers& peers) {
  if (request.network) {
    if (const std::optional<InstallationOutcome> problem = NetworkInputProblem(request))
      return {*problem, false, std::nullopt};
  }
  const CommandsOutcome done = peers.RunAdministratorSteps(request, known);
  FirstFailure failure;
  failure.Note(done.failedStep);
  if (!done.goOn) return failure.Finished(false);
  if (done.queue) ActOnNewQueue(peers, *done.queue, request);
  // The network installation opens the printers folder whatever the wait found.
  if (request.network && !request.silent) OpenPrintersFolder(peers);
  return failure.Finished(done.queue.has_value(), done.restartNeeded);
}

}  // namespace velmo
