#include "registry_win.h"

#include <windows.h>

#include <algorithm>

namespace velmo {

std::optional<std::string> ReadMachineText(const char* key, const char* value) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  char buffer[256] = {};
  DWORD size = sizeof buffer;
  const LSTATUS status = RegQueryValueExA(handle, value, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::nullopt;
  // A value stored without its terminating zero still ends at the buffer.
  const size_t length = std::find(buffer, buffer + std::min<DWORD>(size, sizeof buffer), '\0') - buffer;
  return std::string(buffer, length);
}

}  // namespace velmo
