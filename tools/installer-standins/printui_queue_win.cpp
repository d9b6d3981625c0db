#include "printui_queue_win.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

namespace velmo::standin {
namespace {

std::string Refused(const char* call) { return std::string(call) + " failed, error " + std::to_string(GetLastError()); }

// The current environment ("Windows x64" here, "Windows NT x86" in a 32-bit
// build) is where AddPrinter looks the driver up.
bool DriverFolder(std::string& folder, std::string& failure) {
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, nullptr, 0, &needed);
  std::vector<char> buffer(needed + 1, '\0');
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(buffer.data()),
                                  static_cast<DWORD>(buffer.size()), &needed)) {
    failure = Refused("GetPrinterDriverDirectoryA");
    return false;
  }
  folder = buffer.data();
  return true;
}

bool WriteStub(const std::string& path, std::string& failure) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    failure = Refused("CreateFileA") + " for " + path;
    return false;
  }
  const char text[] = "placeholder of the printer installer's test stand-ins\r\n";
  DWORD written = 0;
  WriteFile(file, text, sizeof text - 1, &written, nullptr);
  CloseHandle(file);
  return true;
}

}  // namespace

bool AddLocalQueue(const std::string& queue, const std::string& port, const std::string& model,
                   std::string& failure) {
  std::string folder;
  if (!DriverFolder(folder, failure)) return false;
  std::string driver = folder + "\\velmo_standin_driver.dll";
  std::string data = folder + "\\velmo_standin_data.txt";
  std::string config = folder + "\\velmo_standin_ui.dll";
  for (const std::string* path : {&driver, &data, &config}) {
    if (!WriteStub(*path, failure)) return false;
  }

  std::string driver_name = model;
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pName = driver_name.data();
  info.pDriverPath = driver.data();
  info.pDataFile = data.data();
  info.pConfigFile = config.data();
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    failure = Refused("AddPrinterDriverA");
    return false;
  }

  std::string printer_name = queue, port_name = port;
  char processor[] = "WinPrint", datatype[] = "RAW";
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = printer_name.data();
  printer.pPortName = port_name.data();
  printer.pDriverName = driver_name.data();
  printer.pPrintProcessor = processor;
  printer.pDatatype = datatype;
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (handle == nullptr) {
    failure = Refused("AddPrinterA");
    return false;
  }
  ClosePrinter(handle);
  return true;
}

bool RemoveLocalQueue(const std::string& queue, std::string& failure) {
  std::string name = queue;
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (!OpenPrinterA(name.data(), &handle, &access)) {
    failure = Refused("OpenPrinterA");
    return false;
  }
  const bool deleted = DeletePrinter(handle);
  if (!deleted) failure = Refused("DeletePrinter");
  ClosePrinter(handle);
  return deleted;
}

}  // namespace velmo::standin
