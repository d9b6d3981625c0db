#pragma once
// Applying settings to a printer and knowing they took: check, write what
// differs, save, wait for the printer to come back from its restart, read
// everything back and compare. A run that fails halfway leaves the printer
// as it found it, or names what it left written but unsaved and has the
// next run save it.
#include <cstdint>
#include <optional>
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

// One printer's record of keys written but not yet known to be saved. It
// outlives the program, so that the next run saves them even when the
// printer's working values already match.
class UnsavedWrites {
 public:
  virtual ~UnsavedWrites() = default;
  virtual std::vector<std::string> Keys() = 0;
  virtual void Set(const std::vector<std::string>& keys) = 0;
};

inline constexpr uint32_t kPrinterReturnTimeoutMs = 20000;
// How long a printer that dropped off mid-run is waited for, to put back
// what was already written.
inline constexpr uint32_t kRestoreWaitMs = 5000;

// True once the printer answers again after a restart, within 20 s.
bool WaitForPrinterReturn(TUsbPrnCmd& cmd, PrinterWaiter& waiter);

enum class ApplyStatus {
  kSavedAndVerified,
  kNothingToChange,
  kStarted,   // written, saved and restarting: the caller verifies (options.verify off)
  kDryRun,    // `written` tells what would be written; nothing was
  kRefused,   // `errors`: nothing was written
  kNoAnswer,  // `step` and `request`
  kNotTaken,  // `not_taken`
};

enum class ApplyStep { kRead, kWrite, kSave, kRestart, kWaitForReturn, kReadBack };

struct ApplyOptions {
  bool only_differing = true;  // import; set writes every entry
  bool force = false;          // save and verify even when nothing differs
  bool verify = true;          // wait for the restart and read everything back
  bool dry_run = false;        // check and compare only
  bool show_secrets = false;   // in the differences
  // The profile's model (UTF-8): another printer model refuses it.
  std::optional<std::string> model;
  std::optional<std::string> firmware;  // another firmware is a warning
};

struct ApplyResult {
  ApplyStatus status = ApplyStatus::kSavedAndVerified;
  std::string model, firmware;               // the printer's, UTF-8, when it answered
  std::vector<SettingDifference> written;    // printer before -> profile
  std::vector<SettingDifference> not_taken;  // printer after -> profile
  std::vector<ProfileError> errors;          // why the profile does not fit this printer
  std::vector<ProfileError> warnings;
  ApplyStep step = ApplyStep::kRead;  // where it got no answer
  std::string request;                // the key or command without an answer, when one
  bool put_back = false;              // the keys already written were restored
  std::vector<std::string> left_unsaved;  // written (or maybe written) and not known to be saved
};

ApplyResult ApplySettings(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries, PrinterWaiter& waiter,
                          UnsavedWrites& unsaved, const AnsiCodec& codec, const ApplyOptions& options);

}  // namespace velmo
