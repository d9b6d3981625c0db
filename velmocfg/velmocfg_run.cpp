#include "velmocfg_run.h"

#include "printer_apply.h"
#include "printer_profile.h"
#include "velmocfg_command.h"

namespace velmo {
namespace {

constexpr int Code(ConfigOutcome outcome) { return static_cast<int>(outcome); }

class Waiter : public PrinterWaiter {
 public:
  Waiter(VelmocfgHost& host, std::string name) : host_(host), name_(std::move(name)) {}
  uint64_t NowMs() override { return host_.NowMs(); }
  void Sleep(uint32_t ms) override { host_.Sleep(ms); }
  bool IsPresent() override { return host_.IsPrinterPresent(name_); }

 private:
  VelmocfgHost& host_;
  std::string name_;
};

class Run {
 public:
  Run(VelmocfgHost& host, VelmocfgCommand command) : host_(host), codec_(host.Codec()), command_(std::move(command)) {}

  int Execute() {
    switch (command_.verb) {
      case VelmocfgVerb::kHelp:
        host_.Out(kVelmocfgUsage);
        return 0;
      case VelmocfgVerb::kList:
        for (const std::string& name : host_.PresentPrinters()) host_.Out(codec_.ToUtf8(name) + "\n");
        return 0;
      case VelmocfgVerb::kImport:
        return Import();
      default:
        break;
    }
    // get and set check their arguments before any printer is looked for.
    std::vector<const SettingKey*> keys;
    ParsedProfile settings;
    if (command_.verb == VelmocfgVerb::kGet && !TakeKeys(keys)) return Code(ConfigOutcome::kBadInput);
    if (command_.verb == VelmocfgVerb::kSet && !TakeSettings(settings)) return Code(ConfigOutcome::kBadInput);
    if (command_.verb == VelmocfgVerb::kDiff && !LoadProfile(settings)) return Code(ConfigOutcome::kBadInput);
    std::string printer;
    if (const int code = ChoosePrinter(printer)) return code;
    TUsbPrnCmd cmd(printer, host_.Ports());
    switch (command_.verb) {
      case VelmocfgVerb::kShow:
        return Show(cmd);
      case VelmocfgVerb::kGet:
        return Get(cmd, keys);
      case VelmocfgVerb::kSet:
        return Apply(cmd, settings.entries, false);
      case VelmocfgVerb::kExport:
        return Export(cmd);
      case VelmocfgVerb::kDiff:
        return Diff(cmd, settings.entries);
      default:
        return RunAction(cmd);
    }
  }

 private:
  std::string Shown(const std::string& ansi_name) const { return codec_.ToUtf8(ansi_name); }

  int Fail(ConfigOutcome outcome, const std::string& message) {
    host_.Err("velmocfg: " + message + "\n");
    return Code(outcome);
  }

  int NoAnswer(const TUsbPrnCmd& cmd, const std::string& while_doing) {
    return Fail(ConfigOutcome::kNoAnswer,
                Shown(cmd.PrinterName()) + ": the printer did not answer (" + while_doing + ")");
  }

  // set numbers its settings; a profile its lines.
  void ReportErrors(const std::vector<ProfileError>& errors) {
    const bool set = command_.verb == VelmocfgVerb::kSet;
    for (const ProfileError& error : errors) {
      std::string where = set ? "set" : command_.operands[0];
      if (error.line) where += (set ? ", setting " : " line ") + std::to_string(error.line);
      host_.Err("velmocfg: " + where + ": " + error.message + "\n");
    }
  }

  bool TakeKeys(std::vector<const SettingKey*>& keys) {
    for (const std::string& name : command_.operands) {
      const SettingKey* key = FindSettingKey(name);
      if (!key) {
        Fail(ConfigOutcome::kBadInput, "unknown key \"" + name + "\"");
        return false;
      }
      keys.push_back(key);
    }
    return true;
  }

  bool TakeSettings(ParsedProfile& settings) {
    for (size_t i = 0; i < command_.operands.size(); ++i) {
      ParseProfileLine(command_.operands[i], static_cast<int>(i + 1), codec_, settings);
    }
    ReportErrors(settings.errors);
    return settings.errors.empty();
  }

  bool LoadProfile(ParsedProfile& profile) {
    const std::string& path = command_.operands[0];
    const auto text = host_.ReadFile(path, kMaxProfileBytes + 1);
    if (!text) {
      Fail(ConfigOutcome::kBadInput, "cannot read " + path);
      return false;
    }
    profile = ParseProfile(*text, codec_);
    ReportErrors(profile.errors);
    return profile.errors.empty();
  }

  // The printer named, or the one present; 0 when found.
  int ChoosePrinter(std::string& printer) {
    if (command_.printer) {
      const auto name = codec_.ToAnsi(*command_.printer);
      if (!name || !host_.IsPrinterPresent(*name)) {
        return Fail(ConfigOutcome::kNoPrinter, "printer \"" + *command_.printer + "\" is not present");
      }
      printer = *name;
      return 0;
    }
    const std::vector<std::string> present = host_.PresentPrinters();
    if (present.empty()) return Fail(ConfigOutcome::kNoPrinter, "no printer is present");
    if (present.size() > 1) {
      std::string names;
      for (const std::string& name : present) names += (names.empty() ? "" : ", ") + Shown(name);
      return Fail(ConfigOutcome::kNoPrinter, "several printers are present (" + names + "); choose one with -printer:NAME");
    }
    printer = present[0];
    return 0;
  }

  int Show(TUsbPrnCmd& cmd) {
    const auto settings = ReadPrinterSettings(cmd);
    if (!settings) return NoAnswer(cmd, "reading the settings");
    host_.Out(FormatSettings(*settings, codec_));
    return 0;
  }

  int Get(TUsbPrnCmd& cmd, const std::vector<const SettingKey*>& keys) {
    if (!cmd.GetInt("PRINT_DARKNESS_SIZE")) return NoAnswer(cmd, "reading PRINT_DARKNESS_SIZE");
    std::string lines;
    for (const SettingKey* key : keys) {
      const auto value = ReadSetting(cmd, *key);
      if (!value) return NoAnswer(cmd, "reading " + std::string(key->key));
      lines += std::string(key->key) + "=" + SettingValueText(*key, *value, codec_) + "\n";
    }
    host_.Out(lines);
    return 0;
  }

  int Export(TUsbPrnCmd& cmd) {
    const auto settings = ReadPrinterSettings(cmd);
    if (!settings) return NoAnswer(cmd, "reading the settings");
    const std::string& path = command_.operands[0];
    if (!host_.WriteFile(path, FormatProfile(*settings, codec_, host_.LocalDateTime(), command_.with_secrets))) {
      return Fail(ConfigOutcome::kBadInput, "cannot write " + path);
    }
    return 0;
  }

  int Diff(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries) {
    const auto settings = ReadPrinterSettings(cmd);
    if (!settings) return NoAnswer(cmd, "reading the settings");
    std::string lines;
    for (const SettingDifference& difference : DiffProfile(entries, *settings, codec_)) {
      lines += DifferenceLine(difference) + "\n";
    }
    host_.Out(lines);
    return 0;
  }

  int DryRun(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries) {
    const auto settings = ReadPrinterSettings(cmd);
    if (!settings) return NoAnswer(cmd, "reading the settings");
    const auto errors = CheckProfileForPrinter(entries, *settings);
    ReportErrors(errors);
    if (!errors.empty()) return Code(ConfigOutcome::kBadInput);
    return Diff(cmd, entries);
  }

  int Apply(TUsbPrnCmd& cmd, const std::vector<ProfileEntry>& entries, bool only_differing) {
    const std::string name = Shown(cmd.PrinterName());
    Waiter waiter(host_, cmd.PrinterName());
    const ApplyResult result = ApplySettings(cmd, entries, waiter, codec_, only_differing);
    switch (result.outcome) {
      case ConfigOutcome::kBadInput:
        ReportErrors(result.errors);
        host_.Err("velmocfg: " + name + ": nothing was written\n");
        return Code(result.outcome);
      case ConfigOutcome::kNoAnswer:
        return NoAnswer(cmd, result.failure);
      case ConfigOutcome::kNotTaken:
        for (const SettingDifference& difference : result.not_taken) {
          host_.Err("velmocfg: " + name + ": did not take: " + DifferenceLine(difference) + "\n");
        }
        return Code(result.outcome);
      default:
        break;
    }
    std::string lines;
    for (const SettingDifference& difference : result.written) lines += name + ": " + DifferenceLine(difference) + "\n";
    if (only_differing && result.written.empty()) {
      lines += name + ": nothing to change\n";
    } else {
      lines += name + ": saved and verified\n";
    }
    host_.Out(lines);
    return 0;
  }

  int Import() {
    ParsedProfile profile;
    if (!LoadProfile(profile)) return Code(ConfigOutcome::kBadInput);
    std::vector<std::string> printers;
    if (command_.all) {
      printers = host_.PresentPrinters();
      if (printers.empty()) return Fail(ConfigOutcome::kNoPrinter, "no printer is present");
    } else {
      printers.emplace_back();
      if (const int code = ChoosePrinter(printers[0])) return code;
    }
    // Every printer gets its turn; the first failure gives the exit code.
    int first_failure = 0;
    for (const std::string& printer : printers) {
      TUsbPrnCmd cmd(printer, host_.Ports());
      const int code = command_.dry_run ? DryRun(cmd, profile.entries) : Apply(cmd, profile.entries, true);
      if (first_failure == 0) first_failure = code;
    }
    return first_failure;
  }

  int RunAction(TUsbPrnCmd& cmd) {
    const std::string& action = command_.operands[0];
    if (action == "selftest") return cmd.RunCommand("ui_prn_selftest") ? 0 : NoAnswer(cmd, "ui_prn_selftest");
    if (action == "beep") return cmd.RunCommand("beep") ? 0 : NoAnswer(cmd, "beep");
    if (action == "factory-reset" && !cmd.RunCommand("reg_restore_default")) {
      return NoAnswer(cmd, "reg_restore_default");
    }
    if (!cmd.RunCommand("power_reset")) return NoAnswer(cmd, "power_reset");
    Waiter waiter(host_, cmd.PrinterName());
    if (!WaitForPrinterReturn(cmd, waiter)) return NoAnswer(cmd, "waiting for the restart");
    return 0;
  }

  VelmocfgHost& host_;
  const AnsiCodec& codec_;
  VelmocfgCommand command_;
};

}  // namespace

int RunVelmocfg(const std::vector<std::string>& arguments, VelmocfgHost& host) {
  auto parsed = ParseVelmocfgArguments(arguments);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    host.Err("velmocfg: " + *error + "\n" + kVelmocfgUsage);
    return Code(ConfigOutcome::kBadInput);
  }
  return Run(host, std::get<VelmocfgCommand>(std::move(parsed))).Execute();
}

}  // namespace velmo
