#pragma once
// Applying settings to a printer and knowing they took: check, write what
// differs, save, wait for the printer to come back from its restart, read
// everything back and compare.
#include <cstdint>
#include <string>
#include <vector>

#include "printer_profile.h"

namespace velmo {

// What the wait for a restarting printer needs: a clock, a pause and the
// presence test of the printer's USB interface.
class PrinterWaiter {
 public:
  virtual ~PrinterWaiter() = default;
  virtual uint64_t NowMs() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  virtual bool IsPresent() = 0;
};

inline constexpr uint32_t kPrinterReturnTimeoutMs = 20000;

// True once the printer answers again after a restart, within 20 s.
bool WaitForPrinterReturn(TUsbPrnCmd& cmd, PrinterWaiter& waiter);

// velmocfg's exit codes.
enum class ConfigOutcome { kDone = 0, kBadInput = 2, kNoPrinter = 3, kNoAnswer = 4, kNotTaken = 5 };

struct ApplyResult {
  ConfigOutcome outcome = ConfigOutcome::kDone;
  std::vector<SettingDifference> written;    // printer before -> profile
  std::vector<SettingDifference> not_taken;  // printer after -> profile
  std::vector<ProfileError> errors;          // why the profile does not fit this printer
  std::string failure;                       // the request that got no answer
};

// `only_differing`: import writes what differs, set writes every entry.
ApplyResult ApplySettings(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries, PrinterWaiter& waiter,
                          const AnsiCodec& codec, bool only_differing);

}  // namespace velmo
