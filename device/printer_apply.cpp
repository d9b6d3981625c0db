#include "printer_apply.h"

#include <algorithm>

namespace velmo {
namespace {

constexpr uint32_t kPollMs = 100;
// A printer seen leaving the bus has begun its restart; one never seen
// leaving is given the dialog's first reconnect wait before it is trusted,
// so that values are not read back from before the restart.
constexpr uint64_t kUnseenRestartMs = 2000;

bool Contains(const std::vector<std::string>& keys, std::string_view key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

void AddKey(std::vector<std::string>& keys, std::string_view key) {
  if (!Contains(keys, key)) keys.emplace_back(key);
}

bool WaitForAnswer(TUsbPrnCmd& cmd, PrinterWaiter& waiter, uint32_t limit_ms) {
  const uint64_t start = waiter.NowMs();
  while (true) {
    if (waiter.IsPresent() && cmd.GetInt("PRINT_DARKNESS_SIZE")) return true;
    if (waiter.NowMs() - start >= limit_ms) return false;
    waiter.Sleep(kPollMs);
  }
}

class Application {
 public:
  Application(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries, PrinterWaiter& waiter,
              UnsavedWrites& unsaved, const AnsiCodec& codec, const ApplyOptions& options)
      : cmd_(cmd), entries_(entries), waiter_(waiter), unsaved_(unsaved), codec_(codec), options_(options) {}

  ApplyResult Run() {
    const auto before = ReadPrinterSettings(cmd_);
    if (!before) return NoAnswer(ApplyStep::kRead, {});
    result_.model = codec_.ToUtf8(before->ModelName());
    result_.firmware = codec_.ToUtf8(before->FirmwareVersion());
    if (!CheckFit(*before)) return std::move(result_);
    for (const ProfileEntry& entry : entries_) {
      if (Contains(before->unanswered, entry.setting.key->key)) return NoAnswer(ApplyStep::kRead, entry.setting.key->key);
    }

    const std::vector<std::string> pending = unsaved_.Keys();
    result_.written = DiffProfile(entries_, *before, codec_, options_.show_secrets);
    std::vector<const SettingWrite*> writes;
    for (const ProfileEntry& entry : entries_) {
      const bool differs = std::any_of(result_.written.begin(), result_.written.end(),
                                       [&](const SettingDifference& d) { return d.entry == &entry; });
      if (!options_.only_differing || differs || Contains(pending, entry.setting.key->key)) {
        writes.push_back(&entry.setting);
      }
    }
    std::vector<const SettingKey*> stored;
    for (const SettingWrite* write : writes) stored.push_back(write->key);
    for (const std::string& key : pending) {
      if (const SettingKey* setting = FindSettingKey(key)) stored.push_back(setting);
    }
    if (options_.force) {
      for (const ProfileEntry& entry : entries_) stored.push_back(entry.setting.key);
    }
    if (stored.empty() || options_.dry_run) {
      result_.status = stored.empty() ? ApplyStatus::kNothingToChange : ApplyStatus::kDryRun;
      return std::move(result_);
    }

    std::vector<std::string> journal = pending;
    for (const SettingWrite* write : writes) AddKey(journal, write->key->key);
    unsaved_.Set(journal);
    for (size_t i = 0; i < writes.size(); ++i) {
      if (!WriteSetting(cmd_, *writes[i])) return PutBack(*before, {writes.begin(), writes.begin() + i + 1}, pending);
    }
    for (const std::string_view command : SaveCommandsFor(stored)) {
      if (!cmd_.RunSaveCommand(command)) return LeftUnsaved(ApplyStep::kSave, command, journal);
    }
    if (!cmd_.RunCommand("power_reset")) return LeftUnsaved(ApplyStep::kRestart, "power_reset", journal);
    if (!options_.verify) {
      result_.status = ApplyStatus::kStarted;
      return std::move(result_);
    }
    if (!WaitForPrinterReturn(cmd_, waiter_)) return LeftUnsaved(ApplyStep::kWaitForReturn, {}, journal);
    const auto after = ReadPrinterSettings(cmd_);
    if (!after) return LeftUnsaved(ApplyStep::kReadBack, {}, journal);
    // Back from a restart, the printer holds what it saved: nothing is pending any more.
    unsaved_.Set({});
    result_.not_taken = DiffProfile(entries_, *after, codec_, options_.show_secrets);
    result_.status = result_.not_taken.empty() ? ApplyStatus::kSavedAndVerified : ApplyStatus::kNotTaken;
    return std::move(result_);
  }

 private:
  bool CheckFit(const PrinterSettings& before) {
    if (options_.model && *options_.model != CommentValue(result_.model)) {
      result_.errors.push_back(ProblemAt(0, ProfileProblem::kOtherModel));
      result_.errors.back().detail = *options_.model;
      result_.errors.back().other = result_.model;
    }
    if (options_.firmware && *options_.firmware != CommentValue(result_.firmware)) {
      result_.warnings.push_back(ProblemAt(0, ProfileProblem::kOtherFirmware));
      result_.warnings.back().detail = *options_.firmware;
      result_.warnings.back().other = result_.firmware;
    }
    for (ProfileError& error : CheckProfileForPrinter(entries_, before)) result_.errors.push_back(std::move(error));
    if (result_.errors.empty()) return true;
    result_.status = ApplyStatus::kRefused;
    return false;
  }

  ApplyResult NoAnswer(ApplyStep step, std::string_view request) {
    result_.status = ApplyStatus::kNoAnswer;
    result_.step = step;
    result_.request = std::string(request);
    return std::move(result_);
  }

  ApplyResult LeftUnsaved(ApplyStep step, std::string_view request, const std::vector<std::string>& journal) {
    result_.left_unsaved = journal;
    return NoAnswer(step, request);
  }

  // A write failed: put back, newest first, what this run wrote (the failed
  // one too, which may have arrived), once the printer answers again.
  ApplyResult PutBack(const PrinterSettings& before, std::vector<const SettingWrite*> written,
                      const std::vector<std::string>& pending) {
    const std::string failed(written.back()->key->key);
    const bool answered = cmd_.LastAnswered();
    bool restored = answered || WaitForAnswer(cmd_, waiter_, kRestoreWaitMs);
    for (auto it = written.rbegin(); restored && it != written.rend(); ++it) {
      const SettingValue* old = before.Find((*it)->key->key);
      restored = old && WriteSetting(cmd_, {(*it)->key, *old});
    }
    if (restored) {
      unsaved_.Set(pending);
      result_.put_back = true;
    } else {
      std::vector<std::string> journal = pending;
      for (const SettingWrite* write : written) AddKey(journal, write->key->key);
      result_.left_unsaved = journal;
    }
    if (answered) {
      // The printer refused the value: its firmware does not take this key.
      result_.status = ApplyStatus::kRefused;
      const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                      [&](const ProfileEntry& e) { return e.setting.key->key == failed; });
      result_.errors.push_back(
          ProblemAt(entry == entries_.end() ? 0 : entry->line, ProfileProblem::kUnknownToPrinter, failed));
      return std::move(result_);
    }
    return NoAnswer(ApplyStep::kWrite, failed);
  }

  TUsbPrnCmd& cmd_;
  const std::vector<ProfileEntry>& entries_;
  PrinterWaiter& waiter_;
  UnsavedWrites& unsaved_;
  const AnsiCodec& codec_;
  const ApplyOptions& options_;
  ApplyResult result_;
};

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
                          UnsavedWrites& unsaved, const AnsiCodec& codec, const ApplyOptions& options) {
  return Application(cmd, entries, waiter, unsaved, codec, options).Run();
}

}  // namespace velmo
