#pragma once
// One installation, from the press of "安装" to the end of the program: the
// driver setup program, the device console tool or the port and queue
// commands, and the wait for the new queue, which becomes the default
// printer. What came of it is a value for the caller (the window, or a run
// without one) to act on.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install_commands.h"
#include "text_list.h"

namespace velmo {

constexpr unsigned kCommandTimeoutMs = 5000;
constexpr unsigned kQueueWaitMs = 3000;
// A silent installation waits this long for the driver setup program.
constexpr unsigned kSilentDriverSetupMs = 10 * 60 * 1000;
constexpr std::uint32_t kQueueWorkOffline = 0x400;
// How long a run waits for another installation on the computer to end.
constexpr unsigned kInstallationLockWaitMs = 60000;

// A local queue as the spooler lists it (level 2).
struct PrinterQueue {
  std::string printerName;
  std::string portName;
  std::string driverName;
  std::uint32_t attributes = 0;
};

// The exit code that stands for a program still running when its wait ended
// (STILL_ACTIVE), for hidden commands and a limited driver setup alike.
constexpr int kStillRunning = 259;
// A command line for an 8-bit program holds characters that its code page
// cannot: it is not run.
constexpr int kNotInCodePage = -2;

struct InstallationRequest;
struct InstalledPrinters;
struct CommandsOutcome;

// What the installation needs of the platform.
class InstallationPeers {
 public:
  virtual ~InstallationPeers() = default;
  virtual std::string ProgramFolder() = 0;  // ends with its separator
  // Where the platform's tools (script host, rundll32, control) are taken
  // from, ending with its separator.
  virtual std::string SystemToolsFolder() = 0;
  ToolFolders Tools() { return {SystemToolsFolder(), ProgramFolder()}; }
  virtual int NativeArchitecture() = 0;
  // Starts `file` (a full path) through the shell with the verb "runas" in `folder`, waits
  // for it to end, without limit when `limitMs` is empty, and returns its
  // exit code; -1 when the shell could not start it (the user refused the
  // elevation, or the file is missing); kStillRunning when it outlived the
  // limit (it is left running). With a limit (nobody watches) the shell
  // shows no error box of its own either.
  virtual int RunElevated(const std::string& file, const std::string& folder, std::optional<unsigned> limitMs) = 0;
  // As RunHidden of the start-up, in `workingFolder` (empty: the installer's
  // own current folder).
  virtual int RunHidden(const std::string& commandLine, unsigned timeoutMs, const std::string& workingFolder) = 0;
  // Starts a command with its window shown, without waiting.
  virtual void Start(const std::string& commandLine) = 0;
  // Nothing when the spooler's list cannot be had.
  virtual std::optional<std::vector<PrinterQueue>> LocalQueues() = 0;
  virtual void MakeDefaultPrinter(const std::string& printerName) = 0;
  // Writes the install record's values under `key` (HKEY_LOCAL_MACHINE, the
  // native view), with the program's version and the local time added;
  // false when it cannot.
  virtual bool RecordInstallation(const std::string& key, const std::string& model, const std::string& port,
                                  const std::string& address) = 0;
  virtual std::uint32_t Ticks() = 0;  // milliseconds, wrapping
  virtual void Pause(unsigned ms) = 0;
  // As RunBatch of the start-up: a language record.
  virtual int RunBatch(const std::string& commandLine) = 0;
  // Runs the steps that need administrator rights (RunAdministratorSteps);
  // a window without them hands these to one elevated helper.
  virtual CommandsOutcome RunAdministratorSteps(const InstallationRequest& request, const InstalledPrinters& known);
  // Told of every step as it ends: its name, the command line it ran (empty
  // for none) and its result. A silent installation logs them.
  virtual void StepDone(std::string_view /*step*/, std::string_view /*command*/, std::string_view /*result*/) {}
};

struct InstallationRequest {
  bool usb = false;      // the USB choice is selected
  bool network = false;  // the network choice is selected
  bool installDriver = false;
  std::string ipText;     // as entered; trimmed and checked before use
  std::string modelText;  // the chosen model, empty for none
  // Nobody watches: the driver setup program is waited for at most
  // kSilentDriverSetupMs and the printers folder is not opened.
  bool silent = false;
  // Why the new queue does not become the default printer; empty: it does.
  std::string leaveDefaultBecause = {};
  // Language records still to be run, before everything else (a window
  // without administrator rights leaves them to its elevated helper).
  std::vector<std::string> recordCommands = {};
};

enum class InstallationOutcome {
  FocusAddress,  // the address is missing or unusable: nothing ran, the window stays
  FocusModel,    // the model is missing or unusable: nothing ran, the window stays
  Finished,      // the sequence ran: the window closes and the program ends
};

// The steps of an installation, in the order they run.
// Elevation: the administrator steps' helper was refused its rights.
enum class InstallationStep {
  DriverSetup,
  DevconRescan,
  DevconRestart,
  PortCommand,
  QueueCommand,
  QueueWait,
  Elevation,
};

// devcon's exit code for "done; the computer needs a restart".
constexpr int kDevconRestartNeeded = 1;

// What came of the steps that need administrator rights.
struct CommandsOutcome {
  bool goOn = true;  // false: the driver setup did not start or outlived its limit, or no rights
  std::optional<InstallationStep> failedStep = std::nullopt;
  bool restartNeeded = false;
  // The new queue, found by the wait, whose install record was written then.
  std::optional<PrinterQueue> queue = std::nullopt;
};

struct InstallationResult {
  InstallationOutcome outcome = InstallationOutcome::Finished;
  bool queueAppeared = false;
  // Set when a finished installation left no queue: the first step that
  // failed (it could not start, outlived its time or ended with an error
  // code), or QueueWait when every step seemed to go well.
  std::optional<InstallationStep> failedStep;
  // The device console tool asked for a restart of the computer.
  bool restartNeeded = false;

  bool Installed() const { return outcome == InstallationOutcome::Finished && queueAppeared; }
};

// What the queue waits single out: queues of the catalogue's models, and the
// USB printers of the latest search.
struct InstalledPrinters {
  const std::vector<std::string>& catalogueModels;
  const TextList& usbDeviceIds;
};

// Something is left once leading and trailing blanks and control characters
// are removed: the test for the address and the model.
bool HasText(std::string_view text);

// The network choice's fields, checked before anything runs: FocusAddress or
// FocusModel when one is missing or would not give safe command lines;
// nothing when both are usable. A command line too long for other reasons
// (the folders) is reported by its step.
std::optional<InstallationOutcome> NetworkInputProblem(const InstallationRequest& request);

// A command's result for the log: its exit code, "could not start" (-1) or
// still running when its wait ended.
std::string CommandResultText(int code);

// Runs a built command hidden for at most kCommandTimeoutMs and tells the
// step; -1 when it was not built, else the program's exit code (RunHidden's
// -1 and kStillRunning included).
int RunLogged(InstallationPeers& peers, std::string_view step, const std::optional<std::string>& command,
              const std::string& workingFolder = {});

// The language records, the driver setup, and the device console tool's
// rescan and restart or the port and the queue commands, in this order;
// then, unless the driver setup stopped them, the wait for the new queue
// and its install record, which is written under HKEY_LOCAL_MACHINE too.
CommandsOutcome RunAdministratorSteps(const InstallationRequest& request, const InstalledPrinters& known,
                                      InstallationPeers& peers);

// The whole sequence: the administrator steps, then, for a new queue, the
// default printer and the printers folder. Outside commands' failures do
// not stop it; they only name the failed step when no queue appears.
InstallationResult InstallPrinter(const InstallationRequest& request, const InstalledPrinters& known,
                                  InstallationPeers& peers);

// The two steps of the USB sequence that wake the device console tool; each
// is true when the tool ran and ended well, also when it asked for a restart
// of the computer, which sets `restartNeeded`.
bool DevconRescan(InstallationPeers& peers, bool& restartNeeded);
bool DevconRestart(InstallationPeers& peers, const std::string& pattern, bool& restartNeeded);
// The port and then the queue, the queue even when the port failed; nothing
// when both ended well, else the first that failed.
std::optional<InstallationStep> AddNetworkPrinter(InstallationPeers& peers, const std::string& queueName,
                                                  const std::string& modelText, const std::string& ipText);

// Each waits at most `limitMs` for its queue, whatever its status, and
// returns the queue found.
std::optional<PrinterQueue> WaitForUsbQueue(InstallationPeers& peers, const InstalledPrinters& known,
                                            unsigned limitMs);
std::optional<PrinterQueue> WaitForNetworkQueue(InstallationPeers& peers, const InstalledPrinters& known,
                                                const std::string& queueName, unsigned limitMs);

}  // namespace velmo
