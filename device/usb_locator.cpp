#include "usb_locator.h"

#include <algorithm>
#include <cstdio>

namespace velmo {
namespace {

constexpr size_t kKeyPathCapacity = 256;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

std::string FirstString(const std::vector<uint8_t>& list) {
  const auto end = std::find(list.begin(), list.end(), uint8_t{0});
  return std::string(list.begin(), end);
}

std::u16string Utf16UpToZero(const std::vector<uint8_t>& bytes) {
  std::u16string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

bool IsUsbPrinterClass(const std::vector<uint8_t>& compatible_ids) {
  std::string first = FirstString(compatible_ids);
  std::transform(first.begin(), first.end(), first.begin(), AsciiLower);
  return first.find("usb") != std::string::npos && first.find("class_07") != std::string::npos;
}

bool SameContainer(const std::u16string& device_id, std::string_view wanted) {
  return std::equal(device_id.begin(), device_id.end(), wanted.begin(), wanted.end(), [](char16_t a, char b) {
    return AsciiUpper(a) == AsciiUpper(static_cast<char16_t>(static_cast<unsigned char>(b)));
  });
}

}  // namespace

std::optional<std::string> QueuePnPDataKey(std::string_view ansi_printer_name) {
  std::string path = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
  path.append(ansi_printer_name).append("\\PnPData");
  if (path.size() + 1 > kKeyPathCapacity) return std::nullopt;
  return path;
}

std::string ContainerIdText(const ContainerId& id) {
  const unsigned first = id[0] | id[1] << 8 | id[2] << 16 | static_cast<unsigned>(id[3]) << 24;
  const unsigned second = id[4] | id[5] << 8;
  const unsigned third = id[6] | id[7] << 8;
  char text[64];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}", first, second, third,
                id[8], id[9], id[10], id[11], id[12], id[13], id[14], id[15]);
  return text;
}

std::string FindUsbDeviceByContainerId(DeviceEnumeration& devices, std::string_view container_id) {
  const std::unique_ptr<DeviceSet> set = devices.PresentUsbInterfaceDevices();
  if (!set) return {};
  for (size_t i = 0; set->HasDevice(i); ++i) {
    // The instance ID, location paths and location information only have to be readable.
    if (!set->ReadInstanceId(i)) continue;
    if (!set->ReadProperty(i, DeviceProperty::kLocationPaths)) continue;
    if (!set->ReadProperty(i, DeviceProperty::kLocationInformation)) continue;
    const auto compatible_ids = set->ReadProperty(i, DeviceProperty::kCompatibleIds);
    if (!compatible_ids) continue;
    const auto base_container_id = set->ReadProperty(i, DeviceProperty::kBaseContainerId);
    if (!base_container_id) continue;
    if (!IsUsbPrinterClass(*compatible_ids)) continue;
    const auto path = set->ReadInterfacePath(i);
    if (!path) continue;
    if (SameContainer(Utf16UpToZero(*base_container_id), container_id)) return *path;
  }
  return {};
}

std::string DeviceTag(std::string_view identity) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char c : identity) {
    hash ^= static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    hash *= 1099511628211ull;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string tag(16, '0');
  for (size_t i = 0; i < tag.size(); ++i) tag[i] = kHex[hash >> (60 - 4 * i) & 0xF];
  return tag;
}

}  // namespace velmo
