#pragma once
// "Qindle -uninstall -queue:NAME": the queue removed through printui, its
// TCP/IP port through the port script when no other queue uses it, and the
// install record deleted; each step told to the log.
#include <optional>
#include <string>
#include <vector>

#include "exit_codes.h"
#include "installation.h"
#include "silent_arguments.h"

namespace velmo {

// How long the spooler may take to drop the queue after printui ended.
constexpr unsigned kQueueRemovalWaitMs = 5000;

class UninstallPeers {
 public:
  virtual ~UninstallPeers() = default;
  // Runs the commands, lists the queues and receives every step.
  virtual InstallationPeers& Installation() = 0;
  virtual bool Elevated() = 0;
  // As the installation's: false when another still runs after the wait.
  virtual bool LockInstallation() = 0;
  // The record's "Port" value; nothing when there is no record.
  virtual std::optional<std::string> RecordedPort(const std::string& key) = 0;
  // True when the key is gone afterwards.
  virtual bool DeleteRecord(const std::string& key) = 0;
};

// The port goes with the queue only when it is one the installation made
// ("IP_..."; a USB port belongs to the device) and no queue but `queue` is
// on it.
bool RemovesPort(const std::string& queue, const std::string& port, const std::vector<PrinterQueue>& queues);

InstallerExit RunUninstall(const SilentArguments& arguments, UninstallPeers& peers);

}  // namespace velmo
