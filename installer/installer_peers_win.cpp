#include "installer_peers_win.h"

#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include "driver_catalogue_win.h"
#include "run_captured_win.h"
#include "run_hidden_win.h"

namespace velmo {
namespace {

constexpr std::size_t kHostNameBuffer = 1024;

std::string Text(const char* text) { return text ? text : ""; }

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

int WindowsInstallationPeers::NativeArchitecture() { return velmo::NativeArchitecture(); }

int WindowsInstallationPeers::RunElevated(const std::string& file, const std::string& folder,
                                          std::optional<unsigned> limitMs) {
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | (limitMs ? SEE_MASK_FLAG_NO_UI : 0);
  execute.lpVerb = "runas";
  execute.lpFile = file.c_str();
  execute.lpDirectory = folder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&execute)) return -1;
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

void WindowsInstallationPeers::Start(const std::string& commandLine) { WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

std::optional<std::vector<PrinterQueue>> WindowsInstallationPeers::LocalQueues() {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, needed + 4));
  if (!block) return std::nullopt;
  std::vector<PrinterQueue> queues;
  if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block, needed, &needed, &count)) {
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(block);
    for (DWORD i = 0; i < count; ++i) {
      queues.push_back({Text(printers[i].pPrinterName), Text(printers[i].pPortName), Text(printers[i].pDriverName),
                        printers[i].Attributes});
    }
  }
  LocalFree(block);
  return queues;
}

void WindowsInstallationPeers::MakeDefaultPrinter(const std::string& printerName) {
  SetDefaultPrinterA(printerName.c_str());
}

std::uint32_t WindowsInstallationPeers::Ticks() { return GetTickCount(); }

void WindowsInstallationPeers::Pause(unsigned ms) { Sleep(ms); }

const InstallerPeers& WindowsInstallerPeers() {
  static WindowsInstallationPeers installation;
  static const InstallerPeers peers{RunDevcon, LocalHostAddresses, installation};
  return peers;
}

}  // namespace velmo
