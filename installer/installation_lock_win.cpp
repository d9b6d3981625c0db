#include "installation_lock_win.h"

#include <sddl.h>

namespace velmo {
namespace {

// "Global\": one for every session, so a run under the system account and
// one in a user's session see each other.
constexpr wchar_t kMutexName[] = L"Global\\Velmo.Qindle.Installation";
// Everybody may wait for it and let go of it; a holder under the system
// account must not shut a user's run out of it.
constexpr wchar_t kMutexAccess[] = L"D:(A;;0x00100001;;;WD)(A;;GA;;;BA)(A;;GA;;;SY)";

}  // namespace

bool InstallationLock::Acquire(DWORD limitMs, bool pumpMessages) {
  if (held_) return true;
  if (!mutex_) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(kMutexAccess, SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    mutex_ = CreateMutexW(descriptor ? &attributes : nullptr, FALSE, kMutexName);
    if (descriptor) LocalFree(descriptor);
    if (!mutex_) mutex_ = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kMutexName);
    if (!mutex_) return false;
  }
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD passed = GetTickCount() - start;
    const DWORD left = passed < limitMs ? limitMs - passed : 0;
    const DWORD waited = pumpMessages ? MsgWaitForMultipleObjects(1, &mutex_, FALSE, left, QS_ALLINPUT)
                                      : WaitForSingleObject(mutex_, left);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED_0) return held_ = true;
    if (waited != WAIT_OBJECT_0 + 1) return false;  // the limit, or a failed wait
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(int(message.wParam));  // for the loop that waits for it
        return false;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void InstallationLock::Release() {
  if (held_) ReleaseMutex(mutex_);
  held_ = false;
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) && elevation.TokenIsElevated;
  CloseHandle(token);
  return elevated;
}

}  // namespace velmo
