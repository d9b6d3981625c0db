#pragma once
// Tests set the recorded language as the installer's batch would leave it.
#include <windows.h>

#include <string>

#include "registry_win.h"

namespace velmo {

inline bool RecordLanguageForTest(const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG written = RegSetValueExA(key, kLanguageValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      DWORD(value.size() + 1));
  RegCloseKey(key);
  return written == ERROR_SUCCESS;
}

}  // namespace velmo
