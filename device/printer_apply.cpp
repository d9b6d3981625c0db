#include "printer_apply.h"

namespace velmo {
namespace {

constexpr uint32_t kPollMs = 100;
// A printer seen leaving the bus has begun its restart; one never seen
// leaving is given the dialog's first reconnect wait before it is trusted,
// so that values are not read back from before the restart.
constexpr uint64_t kUnseenRestartMs = 2000;

}  // namespace

bool WaitForPrinterReturn(TUsbPrnCmd& cmd, PrinterWaiter& waiter) {
  const uint64_t start = waiter.NowMs();
  bool left = false;
  while (waiter.NowMs() - start < kPrinterReturnTimeoutMs) {
    waiter.Sleep(kPollMs);
    if (!waiter.IsPresent()) {
      left = true;
      continue;
    }
    if (!left && waiter.NowMs() - start < kUnseenRestartMs) continue;
    if (cmd.GetInt("PRINT_DARKNESS_SIZE")) return true;
  }
  return false;
}

ApplyResult ApplySettings(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries, PrinterWaiter& waiter,
                          const AnsiCodec& codec, bool only_differing) {
  ApplyResult result;
  const auto fail = [&](ConfigOutcome outcome, std::string failure) {
    result.outcome = outcome;
    result.failure = std::move(failure);
    return result;
  };
  const auto before = ReadPrinterSettings(cmd);
  if (!before) return fail(ConfigOutcome::kNoAnswer, "reading the settings");
  result.errors = CheckProfileForPrinter(entries, *before);
  if (!result.errors.empty()) return fail(ConfigOutcome::kBadInput, {});

  result.written = DiffProfile(entries, *before, codec);
  std::vector<SettingWrite> writes;
  if (only_differing) {
    for (const SettingDifference& difference : result.written) writes.push_back(difference.entry->setting);
  } else {
    for (const ProfileEntry& entry : entries) writes.push_back(entry.setting);
  }
  if (writes.empty()) return result;

  if (auto failed = WriteSaveAndRestart(cmd, writes)) return fail(ConfigOutcome::kNoAnswer, "writing " + *failed);
  if (!WaitForPrinterReturn(cmd, waiter)) return fail(ConfigOutcome::kNoAnswer, "waiting for the restart");
  const auto after = ReadPrinterSettings(cmd);
  if (!after) return fail(ConfigOutcome::kNoAnswer, "reading the settings back");
  result.not_taken = DiffProfile(entries, *after, codec);
  if (!result.not_taken.empty()) result.outcome = ConfigOutcome::kNotTaken;
  return result;
}

}  // namespace velmo
