#include "uninstall.h"

#include <algorithm>

#include "install_commands.h"
#include "install_record.h"
#include "rights.h"
#include "text_list.h"

namespace velmo {
namespace {

constexpr unsigned kRemovalPollMs = 100;

// The spooler compares queue names without regard to case.
std::optional<PrinterQueue> FindQueue(const std::vector<PrinterQueue>& queues, const std::string& name) {
  for (const PrinterQueue& queue : queues) {
    if (SameTextIgnoringCase(queue.printerName, name)) return queue;
  }
  return std::nullopt;
}

// The queues once `name` has left them; nothing when it stayed past the wait
// or the list could not be had.
std::optional<std::vector<PrinterQueue>> WaitForRemoval(InstallationPeers& peers, const std::string& name) {
  const std::uint32_t start = peers.Ticks();
  while (true) {
    std::optional<std::vector<PrinterQueue>> queues = peers.LocalQueues();
    if (queues && !FindQueue(*queues, name)) {
      peers.StepDone("queue wait", "", "\"" + name + "\" is gone");
      return queues;
    }
    if (peers.Ticks() - start >= kQueueRemovalWaitMs) break;
    peers.Pause(kRemovalPollMs);
  }
  peers.StepDone("queue wait", "", "\"" + name + "\" still there after " + std::to_string(kQueueRemovalWaitMs) + " ms");
  return std::nullopt;
}

InstallerExit Uninstall(const SilentArguments& arguments, UninstallPeers& peers) {
  InstallationPeers& installation = peers.Installation();
  if (const std::optional<std::string> problem = UninstallArgumentsProblem(arguments)) {
    installation.StepDone("arguments", "", *problem);
    return InstallerExit::BadArguments;
  }
  if (const std::optional<InstallerExit> refused = RefusalBeforeStart(
          installation, "uninstallation", peers.Elevated(), [&peers] { return peers.LockInstallation(); }))
    return *refused;
  const std::string& name = *arguments.queue;
  const std::string key = *InstallRecordKey(name);
  const std::optional<std::string> recordedPort = peers.RecordedPort(key);
  std::optional<std::vector<PrinterQueue>> queues = installation.LocalQueues();
  if (!queues) {
    installation.StepDone("queue", "", "the spooler's list could not be had");
    return InstallerExit::NoQueue;
  }
  const std::optional<PrinterQueue> queue = FindQueue(*queues, name);
  if (!queue && !recordedPort) {
    installation.StepDone("queue", "", "\"" + name + "\" is neither installed nor recorded: nothing to remove");
    return InstallerExit::Installed;
  }
  if (queue) {
    RunLogged(installation, "queue removal", RemoveQueueCommand(installation.Tools(), queue->printerName));
    queues = WaitForRemoval(installation, queue->printerName);
    if (!queues) return InstallerExit::NoQueue;  // the record stays, as the queue does
  } else {
    installation.StepDone("queue", "", "\"" + name + "\" is not installed");
  }

  const std::string port = recordedPort.value_or(queue ? queue->portName : std::string());
  if (RemovesPort(name, port, *queues)) {
    const ToolFolders tools = installation.Tools();
    RunLogged(installation, "port removal", RemovePortCommand(tools, port), tools.program);
  } else if (!port.empty()) {
    installation.StepDone("port removal", "", port + " kept: not the installation's, or another queue uses it");
  }
  if (recordedPort) {
    installation.StepDone("install record", "HKLM\\" + key, peers.DeleteRecord(key) ? "deleted" : "could not be deleted");
  }
  return InstallerExit::Installed;
}

}  // namespace

bool RemovesPort(const std::string& queue, const std::string& port, const std::vector<PrinterQueue>& queues) {
  if (port.size() <= 3 || !port.starts_with("IP_")) return false;
  return std::ranges::none_of(queues, [&](const PrinterQueue& other) {
    return !SameTextIgnoringCase(other.printerName, queue) && SameTextIgnoringCase(other.portName, port);
  });
}

InstallerExit RunUninstall(const SilentArguments& arguments, UninstallPeers& peers) {
  const InstallerExit exit = Uninstall(arguments, peers);
  peers.Installation().StepDone("end", "", "exit code " + std::to_string(static_cast<int>(exit)));
  return exit;
}

}  // namespace velmo
