#include "installer_peers_win.h"

#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include <cstdio>

#include "driver_catalogue_win.h"
#include "elevated_helper_win.h"
#include "install_record.h"
#include "installation_lock_win.h"
#include "rights.h"
#include "run_captured_win.h"
#include "run_hidden_win.h"
#include "system_tools_win.h"
#include "text_win.h"

namespace velmo {
namespace {

constexpr std::size_t kHostNameBuffer = 1024;

std::string Text(const wchar_t* text) { return text ? NarrowToUtf8(text) : ""; }

}  // namespace

std::optional<std::vector<Ipv4Address>> LocalHostAddresses() {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(2, 0), &data) != 0) return std::nullopt;
  std::optional<std::vector<Ipv4Address>> addresses;
  char name[kHostNameBuffer] = {};
  if (gethostname(name, sizeof name - 1) == 0) {
    if (const hostent* host = gethostbyname(name); host && host->h_addrtype == AF_INET && host->h_length == 4) {
      addresses.emplace();
      for (char** entry = host->h_addr_list; *entry; ++entry) {
        const auto* octets = reinterpret_cast<const unsigned char*>(*entry);
        addresses->push_back({octets[0], octets[1], octets[2], octets[3]});
      }
    }
  }
  WSACleanup();
  return addresses;
}

std::string WindowsInstallationPeers::ProgramFolder() { return velmo::ProgramFolder(); }

std::string WindowsInstallationPeers::SystemToolsFolder() { return velmo::SystemToolsFolder(); }

int WindowsInstallationPeers::NativeArchitecture() { return velmo::NativeArchitecture(); }

int WindowsInstallationPeers::RunElevated(const std::string& file, const std::string& folder,
                                          std::optional<unsigned> limitMs) {
  const std::wstring wideFile = WidenUtf8(file), wideFolder = WidenUtf8(folder);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | (limitMs ? SEE_MASK_FLAG_NO_UI : 0);
  execute.lpVerb = L"runas";
  execute.lpFile = wideFile.c_str();
  execute.lpDirectory = wideFolder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return -1;
  // Without a process handle (the shell handed the file on) there is no
  // code to read: taken as done.
  DWORD code = 0;
  if (execute.hProcess) {
    if (WaitForSingleObject(execute.hProcess, limitMs ? DWORD(*limitMs) : INFINITE) == WAIT_TIMEOUT)
      code = kStillRunning;  // left running
    else if (!GetExitCodeProcess(execute.hProcess, &code))
      code = DWORD(-1);
    CloseHandle(execute.hProcess);
  }
  return int(code);
}

int WindowsInstallationPeers::RunHidden(const std::string& commandLine, unsigned timeoutMs,
                                        const std::string& workingFolder) {
  return velmo::RunHidden(commandLine, timeoutMs, workingFolder);
}

int WindowsInstallationPeers::RunBatch(const std::string& commandLine) { return velmo::RunBatch(commandLine); }

void WindowsInstallationPeers::Start(const std::string& commandLine) {
  if (const std::optional<PROCESS_INFORMATION> process = StartProgram(commandLine, SW_SHOWNORMAL)) {
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
  }
}

std::optional<std::vector<PrinterQueue>> WindowsInstallationPeers::LocalQueues() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, needed + 4));
  if (!block) return std::nullopt;
  std::vector<PrinterQueue> queues;
  if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, block, needed, &needed, &count)) {
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(block);
    for (DWORD i = 0; i < count; ++i) {
      queues.push_back({Text(printers[i].pPrinterName), Text(printers[i].pPortName), Text(printers[i].pDriverName),
                        printers[i].Attributes});
    }
  }
  LocalFree(block);
  return queues;
}

void WindowsInstallationPeers::MakeDefaultPrinter(const std::string& printerName) {
  SetDefaultPrinterW(WidenUtf8(printerName).c_str());
}

bool WindowsInstallationPeers::RecordInstallation(const std::string& key, const std::string& model,
                                                  const std::string& port, const std::string& address) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char time[32] = {};
  std::snprintf(time, sizeof time, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  // The native view, where a deployment tool's detection rule looks first.
  HKEY record = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, WidenUtf8(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &record, nullptr) != ERROR_SUCCESS)
    return false;
  bool written = true;
  for (const auto& [name, value] : InstallRecord(model, port, address, VELMO_PROGRAM_VERSION, time)) {
    const std::wstring text = WidenUtf8(value);
    written = written && RegSetValueExW(record, WidenUtf8(name).c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(text.c_str()),
                                        DWORD((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  RegCloseKey(record);
  return written;
}

std::uint32_t WindowsInstallationPeers::Ticks() { return GetTickCount(); }

void WindowsInstallationPeers::Pause(unsigned ms) { Sleep(ms); }

const InstallerPeers& WindowsInstallerPeers() {
  // Without administrator rights, one elevated helper runs the steps that
  // need them, after one prompt.
  static WindowsInstallationPeers elevated;
  static ElevatingInstallationPeers unelevated;
  static const InstallerPeers peers{
      RunDevcon, LocalHostAddresses,
      PlanRights(false, RunsElevated()) == RightsPlan::RunHere ? static_cast<InstallationPeers&>(elevated)
                                                               : unelevated};
  return peers;
}

}  // namespace velmo
