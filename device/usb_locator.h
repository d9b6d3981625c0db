#pragma once
// Maps a printer queue to its USB printer device by container ID: the rules
// that need no platform call.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device_enumeration.h"

namespace velmo {

using ContainerId = std::array<uint8_t, 16>;  // GUID in the platform's layout

// "SYSTEM\CurrentControlSet\Control\Print\Printers\<name>\PnPData", built in
// 256 bytes: nothing for a name longer than 199 bytes.
std::optional<std::string> QueuePnPDataKey(std::string_view ansi_printer_name);

// "{XXXXXXXX-XXXX-xxxx-XXXX-XXXXXXXXXXXX}"; the third group is lower case.
std::string ContainerIdText(const ContainerId& id);

// The device path of the first present USB printer-class device whose
// container ID equals `container_id` in any case; empty when none.
std::string FindUsbDeviceByContainerId(DeviceEnumeration& devices, std::string_view container_id);

// A short tag for what identifies a printer, the same in any letter case:
// it names the printer's lock and its record of unsaved writes.
std::string DeviceTag(std::string_view identity);

}  // namespace velmo
