#pragma once
// One installation at a time on this computer: a machine-wide named mutex,
// held from before the first outside program starts to the end of the run.
#include <windows.h>

namespace velmo {

class InstallationLock {
 public:
  InstallationLock() = default;
  InstallationLock(const InstallationLock&) = delete;
  InstallationLock& operator=(const InstallationLock&) = delete;
  ~InstallationLock() { Release(); }

  // Waits at most `limitMs` for another holder; true once held (also when
  // the last holder ended without letting go). A second call while held
  // returns true at once. A window's thread passes `pumpMessages`, so its
  // windows still paint and answer while it waits.
  bool Acquire(DWORD limitMs, bool pumpMessages = false);
  void Release();
  bool Held() const { return held_; }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

// The process runs with an elevated token (administrator rights).
bool RunsElevated();

}  // namespace velmo
