#include "driver_version_win.h"

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <vector>

#include "launch_win.h"
#include "version_text.h"

namespace velmo {
namespace {

std::optional<uint32_t> FileVersionLS(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info)
    return std::nullopt;
  return info->dwFileVersionLS;
}

}  // namespace

std::string GetDriverVersion(const std::string& printer_name) {
  // Reading the driver information needs no more than the right to use the
  // printer, which every user of the queue has.
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(printer_name.c_str()), &printer, &defaults)) return "0.0";
  DWORD needed = 0;
  GetPrinterDriverA(printer, nullptr, 8, nullptr, 0, &needed);
  std::string version = "0.0";
  if (needed >= sizeof(DRIVER_INFO_8A)) {
    std::vector<BYTE> buffer(needed);
    if (GetPrinterDriverA(printer, nullptr, 8, buffer.data(), needed, &needed))
      version = FormatDriverVersion(reinterpret_cast<DRIVER_INFO_8A*>(buffer.data())->dwlDriverVersion);
  }
  ClosePrinter(printer);
  return version;
}

std::string BuildVersionText(const std::string& program_path) {
  const std::string driver = GetDriverVersion(Launch.PrinterName);
  return ComposeVersionText(driver, Launch.ImageVersion, Launch.OemuiVersion, FileVersionLS(program_path));
}

}  // namespace velmo
