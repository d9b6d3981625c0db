#include "unsaved_writes_win.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "profile_file_win.h"
#include "unsaved_writes.h"
#include "usb_locator.h"
#include "usb_locator_win.h"

namespace velmo {
namespace {

constexpr size_t kRecordLimit = 4096;

std::wstring RecordFolder() {
  PWSTR local = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local))) folder = local;
  CoTaskMemFree(local);
  if (folder.empty()) return {};
  folder += L"\\Velmo";
  CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\unsaved-writes";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

class UnsavedWritesRecord : public UnsavedWrites {
 public:
  explicit UnsavedWritesRecord(std::wstring path) : path_(std::move(path)) {}

  std::vector<std::string> Keys() override {
    if (path_.empty()) return {};
    const auto text = ReadProfileFile(path_, kRecordLimit);
    return text ? ParseUnsavedKeys(*text) : std::vector<std::string>{};
  }

  void Set(const std::vector<std::string>& keys) override {
    if (path_.empty()) return;
    if (keys.empty()) {
      DeleteFileW(path_.c_str());
    } else {
      (void)WriteProfileFile(path_, FormatUnsavedKeys(keys));
    }
  }

 private:
  std::wstring path_;  // empty: no place to keep it
};

}  // namespace

std::unique_ptr<UnsavedWrites> UnsavedWritesFile(std::string_view ansi_printer_name) {
  const std::wstring folder = RecordFolder();
  if (folder.empty()) return std::make_unique<UnsavedWritesRecord>(std::wstring());
  const std::string tag = DeviceTag(UsbPrinterIdentity(ansi_printer_name));
  return std::make_unique<UnsavedWritesRecord>(folder + L"\\" + std::wstring(tag.begin(), tag.end()) + L".txt");
}

}  // namespace velmo
