#include "printer_hold_win.h"

#include <windows.h>
#include <sddl.h>

#include <string>

#include "usb_locator.h"
#include "usb_locator_win.h"

namespace velmo {
namespace {

class MutexHold : public PrinterHold {
 public:
  explicit MutexHold(HANDLE mutex) : mutex_(mutex) {}
  ~MutexHold() override {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
  MutexHold(const MutexHold&) = delete;
  MutexHold& operator=(const MutexHold&) = delete;

 private:
  HANDLE mutex_;
};

// Everyone may wait on and release it: a velmocfg run as administrator or
// as SYSTEM must not lock out the dialog of a plain user, or the reverse.
HANDLE OpenSharedMutex(const std::wstring& name) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
  if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x1F0001;;;WD)", SDDL_REVISION_1, &descriptor,
                                                           nullptr)) {
    attributes.lpSecurityDescriptor = descriptor;
  }
  HANDLE mutex = CreateMutexW(&attributes, FALSE, name.c_str());
  if (!mutex) mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
  if (descriptor) LocalFree(descriptor);
  return mutex;
}

}  // namespace

std::unique_ptr<PrinterHold> HoldPrinterDevice(std::string_view ansi_printer_name, unsigned wait_ms) {
  const std::string tag = DeviceTag(UsbPrinterIdentity(ansi_printer_name));
  const HANDLE mutex = OpenSharedMutex(L"Global\\VelmoPrinter-" + std::wstring(tag.begin(), tag.end()));
  // Without a mutex object there is no one to keep out; the exchange goes on.
  if (!mutex) return std::make_unique<MutexHold>(nullptr);
  const DWORD waited = WaitForSingleObject(mutex, wait_ms);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return std::make_unique<MutexHold>(mutex);
  CloseHandle(mutex);
  return nullptr;
}

}  // namespace velmo
