#include "usb_locator_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

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
// Development builds only: the printer emulator's pipes stand in for printers
// that are not attached, while the emulator listens. VELMO_PRINTER_PIPE holds
// entries separated by ';': "QUEUE=PIPE" serves that queue, a bare "PIPE"
// serves any queue.
struct EmulatorEntry {
  std::string queue;  // empty: any
  std::string pipe;
};

std::vector<EmulatorEntry> EmulatorEntries() {
  const char* variable = std::getenv("VELMO_PRINTER_PIPE");
  std::vector<EmulatorEntry> entries;
  std::string_view rest = variable ? variable : "";
  while (!rest.empty()) {
    const size_t end = rest.find(';');
    const std::string_view entry = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const size_t equals = entry.rfind('=');
    if (equals == std::string_view::npos) {
      entries.push_back({{}, std::string(entry)});
    } else {
      entries.push_back({std::string(entry.substr(0, equals)), std::string(entry.substr(equals + 1))});
    }
  }
  return entries;
}

constexpr DWORD kPresenceWaitMs = 1000;

std::string EmulatorPipePath(std::string_view queue) {
  for (const EmulatorEntry& entry : EmulatorEntries()) {
    if (!entry.queue.empty() && entry.queue != queue) continue;
    // The emulator's pipe counts as listening only between exchanges; one
    // busy serving another program is there, as a USB printer would be, and
    // is waited for. A pipe that does not exist fails at once.
    if (WaitNamedPipeA(entry.pipe.c_str(), kPresenceWaitMs)) return entry.pipe;
  }
  return {};
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
  if (path.empty()) path = EmulatorPipePath(ansi_printer_name);
#endif
  return path;
}

std::vector<std::string> EmulatedPrinterQueues() {
  std::vector<std::string> queues;
#ifdef VELMO_DEV_EMULATOR
  for (const EmulatorEntry& entry : EmulatorEntries()) {
    if (!entry.queue.empty()) queues.push_back(entry.queue);
  }
#endif
  return queues;
}

std::string FindUsbDeviceByContainerId(std::string_view container_id) {
  return FindUsbDeviceByContainerId(SetupApiDevices(), container_id);
}

bool IsUsbPrinterPresent(std::string_view ansi_printer_name) { return !GetUsbPrinterPath(ansi_printer_name).empty(); }

std::string UsbPrinterIdentity(std::string_view ansi_printer_name) {
  if (const auto key_path = QueuePnPDataKey(ansi_printer_name)) {
    if (const auto id = ReadQueueContainerId(*key_path)) return ContainerIdText(*id);
  }
#ifdef VELMO_DEV_EMULATOR
  for (const EmulatorEntry& entry : EmulatorEntries()) {
    if (entry.queue.empty() || entry.queue == ansi_printer_name) return entry.pipe;
  }
#endif
  return std::string(ansi_printer_name);
}

}  // namespace velmo
