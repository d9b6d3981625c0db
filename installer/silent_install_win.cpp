#include "silent_install_win.h"

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>

#include "driver_catalogue_win.h"
#include "elevated_helper.h"
#include "elevated_helper_win.h"
#include "installation_lock_win.h"
#include "installer_peers_win.h"
#include "network_discovery.h"
#include "private_folder_win.h"
#include "rights.h"
#include "run_captured_win.h"
#include "run_hidden_win.h"
#include "silent_install.h"
#include "silent_log.h"
#include "startup_win.h"
#include "text_win.h"
#include "translation.h"
#include "udp_endpoint_win.h"
#include "uninstall.h"

namespace velmo {
namespace {

constexpr char kDefaultLogName[] = "Qindle.log";

std::string DefaultLogPath() {
  const std::string folder = TemporaryFolder();
  return folder.empty() ? std::string() : folder + kDefaultLogName;
}

// The log file, opened for appending; each line goes to its end even while
// another program has the file open.
class LogFile {
 public:
  LogFile() = default;
  ~LogFile() { Close(); }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  bool Open(const std::string& path) {
    Close();
    file_ = CreateFileW(WidenUtf8(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
  }
  void Append(const std::string& line) const {
    DWORD written = 0;
    if (file_ != INVALID_HANDLE_VALUE) WriteFile(file_, line.data(), DWORD(line.size()), &written, nullptr);
  }

 private:
  void Close() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

LocalTime Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

// The window's installation peers, with every step written to the log.
class LoggedInstallationPeers : public WindowsInstallationPeers {
 public:
  explicit LoggedInstallationPeers(const SilentLog& log) : log_(log) {}
  void StepDone(std::string_view step, std::string_view command, std::string_view result) override {
    log_.Write(step, command, result);
  }

 private:
  const SilentLog& log_;
};

bool WaitForLock(InstallationLock& lock, InstallationPeers& installation) {
  if (lock.Acquire(0)) return true;
  installation.StepDone("another installation", "", "running: waiting for it to end");
  return lock.Acquire(kInstallationLockWaitMs);
}

class WindowsSilentPeers : public SilentPeers {
 public:
  explicit WindowsSilentPeers(const SilentLog& log) : installation_(log) {}

  InstallationPeers& Installation() override { return installation_; }

  std::optional<std::vector<std::string>> CatalogueModels() override {
    try {
      return ReadCatalogueModels(ProgramFolder());
    } catch (const std::exception&) {
      return std::nullopt;  // no catalogue file found
    }
  }


  std::optional<AddressAnswer> CheckAddress(const std::string& address,
                                            const std::vector<std::string>& models) override {
    AddressCheck check(address);
    std::unique_ptr<UdpEndpoint> endpoint;
    endpoint = std::make_unique<UdpEndpoint>(
        [&](const std::string& datagram) { check.Offer(endpoint->CurrentSource(), datagram, models); });
    try {
      endpoint->Activate();
      endpoint->Send(address, kDiscoveryPort, kDiscoveryQuery);
    } catch (const std::exception& error) {
      installation_.StepDone("address check", "", std::string("not sent: ") + error.what());
      return std::nullopt;
    }
    // The endpoint hands replies to this thread through its messages.
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; !check.Answer() && waited < kAddressCheckWaitMs; waited = GetTickCount() - start) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kAddressCheckWaitMs - waited, QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return check.Answer();
  }

  const DevconRunner& Devcon() override { return devcon_; }
  bool Elevated() override { return RunsElevated(); }
  bool ServiceAccount() override { return IsServiceAccount(CurrentUserSid()); }
  bool LockInstallation() override { return WaitForLock(lock_, installation_); }

 private:
  LoggedInstallationPeers installation_;
  InstallationLock lock_;
  DevconRunner devcon_ = [](const std::string& arguments, std::string& output) {
    return velmo::RunDevcon(arguments, output);
  };
};

// The record is read and deleted in the native view, where it was written.
class WindowsUninstallPeers : public UninstallPeers {
 public:
  explicit WindowsUninstallPeers(const SilentLog& log) : installation_(log) {}
  InstallationPeers& Installation() override { return installation_; }
  bool Elevated() override { return RunsElevated(); }
  bool LockInstallation() override { return WaitForLock(lock_, installation_); }

  std::optional<std::string> RecordedPort(const std::string& key) override {
    HKEY record = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WidenUtf8(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &record) !=
        ERROR_SUCCESS)
      return std::nullopt;
    wchar_t port[256] = {};
    DWORD size = sizeof port - sizeof(wchar_t), type = 0;
    const bool read = RegQueryValueExW(record, L"Port", nullptr, &type, reinterpret_cast<BYTE*>(port), &size) ==
                          ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(record);
    return read ? NarrowToUtf8(port) : std::string();
  }

  bool DeleteRecord(const std::string& key) override {
    const LSTATUS status = RegDeleteKeyExW(HKEY_LOCAL_MACHINE, WidenUtf8(key).c_str(), KEY_WOW64_64KEY, 0);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }

 private:
  LoggedInstallationPeers installation_;
  InstallationLock lock_;
};

// Runs `run` with the "-log:" file (or the fallback) open, after the start
// line; an unforeseen error ends it with exit code 1.
int WithLog(const std::vector<std::string>& arguments, std::string_view what,
            const std::function<int(const SilentLog&)>& run) {
  const SilentArguments read = ReadSilentArguments(arguments);
  LogFile file;
  const std::optional<std::string> named =
      read.logPath && HasText(*read.logPath) ? read.logPath : std::optional<std::string>();
  const LogDestination destination =
      ChooseLog(named, DefaultLogPath(), [&](const std::string& path) { return file.Open(path); });
  const SilentLog log(Now, GetCurrentProcessId(), [&](const std::string& line) { file.Append(line); });

  std::string commandLine;
  for (std::size_t i = 1; i < arguments.size(); ++i) commandLine += (i > 1 ? " " : "") + arguments[i];
  log.Write("start", commandLine, what);
  if (!destination.note.empty()) log.Write("log", "", destination.note);
  try {
    return run(log);
  } catch (const std::exception& error) {
    log.Write("end", "", std::string("exit code 1: ") + error.what());
  }
  return static_cast<int>(InstallerExit::NotInstalled);
}

}  // namespace

int RunSilentInstallation(const std::vector<std::string>& arguments) {
  return WithLog(arguments, "silent installation", [&](const SilentLog& log) {
    const StartupDecision decision = DecideStartupHere(arguments);
    WindowsSilentPeers peers(log);
    return static_cast<int>(RunSilentInstallation(ReadSilentArguments(arguments),
                                                  {decision.fullMode, decision.recordCommands}, peers));
  });
}

int RunUninstallation(const std::vector<std::string>& arguments) {
  const SilentArguments read = ReadSilentArguments(arguments);
  // Silent, nobody could answer a prompt. Otherwise the user answers one,
  // and an elevated copy does the same uninstallation and logs it.
  if (!read.silent && !UninstallArgumentsProblem(read) && !RunsElevated()) {
    const ElevatedRun run =
        RunThisProgramElevated(CommandLineOf(std::vector<std::string>(arguments.begin() + 1, arguments.end())));
    if (run.exitCode) return *run.exitCode;
    MessageBoxW(nullptr,
                TranslatedText(QindleTranslationTable(), L"Form1", L"打印机没有删除：没有管理员权限。",
                               DecideStartupHere(arguments).english)
                    .c_str(),
                L"Qindle", MB_OK | MB_ICONERROR);
  }
  return WithLog(arguments, "uninstallation", [&](const SilentLog& log) {
    WindowsUninstallPeers peers(log);
    return static_cast<int>(RunUninstall(read, peers));
  });
}

}  // namespace velmo
