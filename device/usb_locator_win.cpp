#include "usb_locator_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "setupapi_devices_win.h"
#include "usb_locator.h"

namespace velmo {
namespace {

std::optional<ContainerId> ReadQueueContainerId(const std::string& key_path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  BYTE value[256] = {};
  DWORD size = sizeof value;
  const LSTATUS status = RegQueryValueExA(key, "DeviceContainerId", nullptr, nullptr, value, &size);
  RegCloseKey(key);
  // A value too short for a GUID names no device.
  if (status != ERROR_SUCCESS || size < sizeof(ContainerId)) return std::nullopt;
  ContainerId id;
  std::copy_n(value, id.size(), id.begin());
  return id;
}

#ifdef VELMO_DEV_EMULATOR
// Development builds only: the printer emulator's pipe stands in for a
// printer that is not attached, while the emulator is listening.
std::string EmulatorPipePath() {
  const char* pipe = std::getenv("VELMO_PRINTER_PIPE");
  if (!pipe || !WaitNamedPipeA(pipe, 1)) return {};
  return pipe;
}
#endif

}  // namespace

std::string GetUsbPrinterPath(std::string_view ansi_printer_name, DeviceEnumeration& devices) {
  const auto key_path = QueuePnPDataKey(ansi_printer_name);
  if (!key_path) return {};
  const auto id = ReadQueueContainerId(*key_path);
  if (!id) return {};
  const std::string id_text = ContainerIdText(*id);
  OutputDebugStringA((id_text + "\n").c_str());
  return FindUsbDeviceByContainerId(devices, id_text);
}

std::string GetUsbPrinterPath(std::string_view ansi_printer_name) {
  std::string path = GetUsbPrinterPath(ansi_printer_name, SetupApiDevices());
#ifdef VELMO_DEV_EMULATOR
  if (path.empty()) path = EmulatorPipePath();
#endif
  return path;
}

std::string FindUsbDeviceByContainerId(std::string_view container_id) {
  return FindUsbDeviceByContainerId(SetupApiDevices(), container_id);
}

bool IsUsbPrinterPresent(std::string_view ansi_printer_name) { return !GetUsbPrinterPath(ansi_printer_name).empty(); }

}  // namespace velmo
