#include "velmocfg_run.h"

#include <algorithm>
#include <map>

#include "printer_apply.h"
#include "printer_profile.h"
#include "profile_text.h"
#include "velmocfg_command.h"
#include "velmocfg_json.h"
#include "velmocfg_messages.h"

namespace velmo {
namespace {

enum ExitCode { kDone = 0, kDiffers = 1, kBadInput = 2, kNoPrinter = 3, kNoAnswer = 4, kNotTaken = 5 };

constexpr std::string_view kFromInput = "-";

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

// What one printer gave: text for the two streams as it is known, and the
// same for the JSON document.
struct Report {
  std::string name;  // UTF-8
  std::string model, firmware;
  std::string outcome;
  int code = kDone;
  std::string out, err;
  JsonObject json;

  void Fail(int exit_code, std::string message) {
    code = exit_code;
    if (outcome != "refused") outcome = "failed";
    err += "velmocfg: " + name + ": " + message + "\n";
    json.String("message", message);
  }
};

std::vector<std::string> KeyList(const std::vector<SettingDifference>& differences) {
  std::vector<std::string> keys;
  for (const SettingDifference& difference : differences) keys.emplace_back(difference.entry->setting.key->key);
  return keys;
}

std::string Joined(const std::vector<std::string>& keys) {
  std::string joined;
  for (const std::string& key : keys) joined += (joined.empty() ? "" : ", ") + key;
  return joined;
}

std::string DifferencesJson(const std::vector<SettingDifference>& differences) {
  std::vector<std::string> items;
  for (const SettingDifference& difference : differences) {
    JsonObject item;
    item.String("key", difference.entry->setting.key->key);
    item.Raw("printer", difference.printer ? JsonString(*difference.printer) : "null");
    item.String("profile", difference.profile);
    items.push_back(item.Text());
  }
  return JsonArray(items);
}

// A file name from a queue name: what Windows does not allow in one becomes '_'.
std::string FileNameFor(const std::string& utf8_name) {
  std::string name = utf8_name;
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      c = '_';
    }
  }
  return name + ".profile";
}

class Run {
 public:
  Run(VelmocfgHost& host, VelmocfgCommand command) : host_(host), codec_(host.Codec()), command_(std::move(command)) {}

  int Execute() {
    if (command_.verb == VelmocfgVerb::kHelp) {
      host_.Out(kVelmocfgUsage);
      return kDone;
    }
    if (!TakeArguments()) return kBadInput;
    std::vector<std::string> printers;
    if (const int code = ChoosePrinters(printers)) return code;
    if (command_.verb == VelmocfgVerb::kExport && command_.all && !host_.MakeFolder(command_.operands[0])) {
      return Fail(kBadInput, "cannot make the folder " + command_.operands[0]);
    }

    std::vector<Report> reports;
    for (const std::string& printer : printers) {
      Report report;
      report.name = codec_.ToUtf8(printer);
      RunOn(printer, report);
      if (!command_.json) host_.Out(report.out);
      host_.Err(report.err);
      reports.push_back(std::move(report));
    }
    int worst = kDone;
    for (const Report& report : reports) worst = std::max(worst, report.code);
    const std::string summary = command_.all ? Summary(reports) : std::string();
    if (command_.json) {
      host_.Out(Document(reports, worst, summary));
    } else if (!summary.empty()) {
      host_.Out(summary + "\n");
    }
    return worst;
  }

 private:
  bool Verb(VelmocfgVerb verb) const { return command_.verb == verb; }

  int Fail(int code, const std::string& message) {
    host_.Err("velmocfg: " + message + "\n");
    return code;
  }

  // set numbers its settings; a profile its lines.
  void ReportErrors(const std::vector<ProfileError>& errors, std::string* into = nullptr) {
    for (const ProfileError& error : errors) {
      std::string where = Verb(VelmocfgVerb::kSet) ? "set" : command_.operands[0];
      if (error.line) where += (Verb(VelmocfgVerb::kSet) ? ", setting " : " line ") + std::to_string(error.line);
      const std::string line = "velmocfg: " + where + ": " + ProblemText(error) + "\n";
      if (into) {
        *into += line;
      } else {
        host_.Err(line);
      }
    }
  }

  // Everything that can be checked before a printer is looked for.
  bool TakeArguments() {
    for (const std::string& key : command_.keep) {
      if (!FindSettingKey(key)) return Fail(kBadInput, "-keep: unknown key \"" + key + "\""), false;
    }
    if (Verb(VelmocfgVerb::kGet)) {
      for (const std::string& name : command_.operands) {
        const SettingKey* key = FindSettingKey(name);
        if (!key) return Fail(kBadInput, "unknown key \"" + name + "\""), false;
        keys_.push_back(key);
      }
    }
    if (Verb(VelmocfgVerb::kSet)) return TakeSettings();
    if (Verb(VelmocfgVerb::kDiff) || Verb(VelmocfgVerb::kImport)) return LoadProfile();
    return true;
  }

  bool TakeSettings() {
    bool input_taken = false;
    for (size_t i = 0; i < command_.operands.size(); ++i) {
      std::string operand = command_.operands[i];
      const size_t equals = operand.find('=');
      if (equals != std::string::npos && std::string_view(operand).substr(equals + 1) == kFromInput) {
        if (input_taken) return Fail(kBadInput, "set: only one value can come from standard input"), false;
        auto value = host_.ReadInput(kMaxProfileBytes);
        if (!value) return Fail(kBadInput, "set: standard input cannot be read"), false;
        if (value->ends_with('\n')) value->pop_back();
        if (value->ends_with('\r')) value->pop_back();
        operand = operand.substr(0, equals + 1) + QuoteUtf8Text(*value);
        input_taken = true;
      }
      ParseProfileLine(operand, static_cast<int>(i + 1), codec_, profile_);
    }
    ReportErrors(profile_.errors);
    return profile_.errors.empty();
  }

  bool LoadProfile() {
    const std::string& path = command_.operands[0];
    const auto bytes = host_.ReadFile(path, kMaxProfileBytes + 1);
    if (!bytes) return Fail(kBadInput, "cannot read " + path), false;
    profile_ = ParseProfileFile(*bytes, codec_);
    ReportErrors(profile_.errors);
    std::erase_if(profile_.entries, [&](const ProfileEntry& entry) {
      return std::find(command_.keep.begin(), command_.keep.end(), entry.setting.key->key) != command_.keep.end();
    });
    return profile_.errors.empty();
  }

  // Queues of one device are one printer: the first queue names it.
  std::vector<std::string> DistinctPresent() {
    std::vector<std::string> printers, devices;
    for (const std::string& name : host_.PresentPrinters()) {
      const std::string device = host_.DeviceOf(name);
      if (std::find(devices.begin(), devices.end(), device) != devices.end()) continue;
      devices.push_back(device);
      printers.push_back(name);
    }
    return printers;
  }

  int ChoosePrinters(std::vector<std::string>& printers) {
    if (command_.printer) {
      const auto name = codec_.ToAnsi(*command_.printer);
      if (!name || !host_.IsPrinterPresent(*name)) {
        return Fail(kNoPrinter, "printer \"" + *command_.printer + "\" is not present");
      }
      printers.push_back(*name);
      return kDone;
    }
    printers = DistinctPresent();
    if (printers.empty()) {
      return Verb(VelmocfgVerb::kList) ? kDone : Fail(kNoPrinter, "no printer is present");
    }
    if (printers.size() > 1 && !command_.all && !Verb(VelmocfgVerb::kList)) {
      std::string names;
      for (const std::string& name : printers) names += (names.empty() ? "" : ", ") + codec_.ToUtf8(name);
      return Fail(kNoPrinter, "several printers are present (" + names + "); choose one with -printer:NAME or -all");
    }
    return kDone;
  }

  void RunOn(const std::string& printer, Report& report) {
    const auto hold = host_.HoldPrinter(printer);
    if (!hold) return report.Fail(kNoAnswer, "in use by another program");
    TUsbPrnCmd cmd(printer, host_.Ports());
    switch (command_.verb) {
      case VelmocfgVerb::kList: return List(cmd, report);
      case VelmocfgVerb::kShow: return Show(cmd, report);
      case VelmocfgVerb::kGet: return Get(cmd, report);
      case VelmocfgVerb::kExport: return Export(cmd, report);
      case VelmocfgVerb::kDiff: return Diff(cmd, report);
      case VelmocfgVerb::kSet:
      case VelmocfgVerb::kImport: return Apply(cmd, report);
      default: return Action(cmd, report);
    }
  }

  void NoAnswer(Report& report, const std::string& while_doing) {
    report.Fail(kNoAnswer, "the printer did not answer (" + while_doing + ")");
  }

  // The settings, or nothing after the report says the printer did not answer.
  std::optional<PrinterSettings> ReadAll(TUsbPrnCmd& cmd, Report& report) {
    auto settings = ReadPrinterSettings(cmd);
    if (!settings) {
      NoAnswer(report, "reading the settings");
      return std::nullopt;
    }
    report.model = codec_.ToUtf8(settings->ModelName());
    report.firmware = codec_.ToUtf8(settings->FirmwareVersion());
    return settings;
  }

  void List(TUsbPrnCmd& cmd, Report& report) {
    std::string model, version, version_cmd;
    const bool answered = cmd.GetString("OEM_MODELNAME", &model) && cmd.GetString("VERSION", &version) &&
                          cmd.GetString("VERSION_CMD", &version_cmd);
    report.model = codec_.ToUtf8(model);
    report.firmware = codec_.ToUtf8(FirmwareVersionText(version, version_cmd));
    report.outcome = answered ? "present" : "did not answer";
    report.out = report.name + "\t" + (answered ? report.model + "\t" + report.firmware : "(did not answer)") + "\n";
  }

  std::string ValueJson(const SettingKey& setting, const SettingValue& value) const {
    const std::string text = SettingValueText(setting, value, codec_, command_.with_secrets);
    const bool number = setting.kind == SettingKind::kInteger || setting.kind == SettingKind::kBoolean;
    return number ? text : JsonString(text);
  }

  void Show(TUsbPrnCmd& cmd, Report& report) {
    const auto settings = ReadAll(cmd, report);
    if (!settings) return;
    JsonObject values;
    for (const SettingKey& setting : SettingKeys()) {
      if (const SettingValue* value = settings->Find(setting.key)) values.Raw(setting.key, ValueJson(setting, *value));
    }
    report.json.Raw("settings", values.Text())
        .Strings("unknown_keys", settings->refused)
        .Strings("unread_keys", settings->unanswered);
    report.outcome = "read";
    report.out = (command_.all ? "# printer: " + report.name + "\n" : "") +
                 FormatSettings(*settings, codec_, command_.with_secrets) + (command_.all ? "\n" : "");
    if (!settings->refused.empty()) {
      report.err += "velmocfg: " + report.name + ": not known to this printer's firmware: " +
                    Joined(settings->refused) + "\n";
    }
    if (!settings->unanswered.empty()) {
      NoAnswer(report, "reading " + Joined(settings->unanswered));
    }
  }

  void Get(TUsbPrnCmd& cmd, Report& report) {
    if (!cmd.GetInt("PRINT_DARKNESS_SIZE")) return NoAnswer(report, "reading PRINT_DARKNESS_SIZE");
    JsonObject values;
    report.outcome = "read";
    for (const SettingKey* key : keys_) {
      if (!key->requires_key.empty()) {
        int32_t present = 0;
        if (!cmd.GetInt(key->requires_key, &present) && !cmd.LastAnswered()) {
          return NoAnswer(report, "reading " + std::string(key->requires_key));
        }
        if (present == 0) {
          return report.Fail(kBadInput, std::string(key->key) + ": this printer has no " + GroupName(key->requires_key));
        }
      }
      const auto value = ReadSetting(cmd, *key);
      if (!value && cmd.LastAnswered()) {
        return report.Fail(kBadInput, std::string(key->key) + ": this printer's firmware does not know this setting");
      }
      if (!value) return NoAnswer(report, "reading " + std::string(key->key));
      report.out += Prefix(report) + std::string(key->key) + "=" +
                    ShownValueText(*key, *value, codec_, command_.with_secrets) + "\n";
      values.Raw(key->key, ValueJson(*key, *value));
    }
    report.json.Raw("settings", values.Text());
  }

  void Export(TUsbPrnCmd& cmd, Report& report) {
    const auto settings = ReadAll(cmd, report);
    if (!settings) return;
    if (!settings->unanswered.empty()) return NoAnswer(report, "reading " + Joined(settings->unanswered));
    const std::string path =
        command_.all ? command_.operands[0] + "/" + FileNameFor(report.name) : command_.operands[0];
    const ExportOptions options{command_.with_secrets, command_.fleet};
    if (!host_.WriteFile(path, FormatProfile(*settings, codec_, host_.LocalDateTime(), options))) {
      return report.Fail(kBadInput, "cannot write " + path);
    }
    report.outcome = "exported";
    report.json.String("file", path);
    if (command_.all) report.out = report.name + ": " + path + "\n";
  }

  std::string Prefix(const Report& report) const { return command_.all ? report.name + ": " : ""; }

  void Diff(TUsbPrnCmd& cmd, Report& report) {
    const auto settings = ReadAll(cmd, report);
    if (!settings) return;
    const auto differences = DiffProfile(profile_.entries, *settings, codec_, command_.with_secrets);
    for (const SettingDifference& difference : differences) {
      report.out += Prefix(report) + DifferenceLine(difference) + "\n";
    }
    report.json.Raw("differences", DifferencesJson(differences));
    report.outcome = differences.empty() ? "equal" : "differs";
    report.code = differences.empty() ? kDone : kDiffers;
    // A key the firmware lacks is a difference; one that got no answer leaves the diff unknown.
    std::vector<std::string> unknown, unread;
    for (const ProfileEntry& entry : profile_.entries) {
      const std::string_view key = entry.setting.key->key;
      if (settings->Refused(key)) unknown.emplace_back(key);
      if (std::find(settings->unanswered.begin(), settings->unanswered.end(), key) != settings->unanswered.end()) {
        unread.emplace_back(key);
      }
    }
    if (!unknown.empty()) {
      report.err += "velmocfg: " + report.name + ": not known to this printer's firmware: " + Joined(unknown) + "\n";
    }
    if (!unread.empty()) NoAnswer(report, "reading " + Joined(unread));
  }

  void Apply(TUsbPrnCmd& cmd, Report& report) {
    const std::string printer = cmd.PrinterName();
    Waiter waiter(host_, printer);
    const auto unsaved = host_.UnsavedWritesOf(printer);
    ApplyOptions options;
    options.only_differing = Verb(VelmocfgVerb::kImport);
    options.force = command_.force;
    options.dry_run = command_.dry_run;
    options.show_secrets = command_.with_secrets;
    if (!command_.any_model) options.model = profile_.model;
    options.firmware = profile_.firmware;
    const ApplyResult result = ApplySettings(cmd, profile_.entries, waiter, *unsaved, codec_, options);
    report.model = result.model;
    report.firmware = result.firmware;
    const std::string name = report.name;
    ReportErrors(result.warnings, &report.err);
    report.json.Strings("changed", KeyList(result.written))
        .Strings("not_taken", KeyList(result.not_taken))
        .Strings("left_unsaved", result.left_unsaved)
        .Bool("put_back", result.put_back);

    std::string changes;
    for (const SettingDifference& difference : result.written) changes += name + ": " + DifferenceLine(difference) + "\n";
    switch (result.status) {
      case ApplyStatus::kSavedAndVerified:
        report.outcome = "saved and verified";
        report.out = changes + name + ": saved and verified\n";
        return;
      case ApplyStatus::kNothingToChange:
        report.outcome = "nothing to change";
        report.out = name + ": nothing to change\n";
        return;
      case ApplyStatus::kDryRun:
        report.outcome = "dry run";
        report.out = changes;
        return;
      case ApplyStatus::kStarted:
        return;
      case ApplyStatus::kRefused: {
        report.outcome = "refused";
        ReportErrors(result.errors, &report.err);
        std::vector<std::string> messages;
        for (const ProfileError& error : result.errors) messages.push_back(ProblemText(error));
        report.json.Strings("errors", messages);
        return report.Fail(kBadInput, result.put_back ? "the settings already written were put back; nothing was changed"
                                                      : "nothing was written");
      }
      case ApplyStatus::kNotTaken:
        report.outcome = "not taken";
        for (const SettingDifference& difference : result.not_taken) {
          report.err += "velmocfg: " + name + ": did not take: " + DifferenceLine(difference) + "\n";
        }
        report.code = kNotTaken;
        report.json.String("message", "did not take: " + Joined(KeyList(result.not_taken)));
        return;
      case ApplyStatus::kNoAnswer: {
        std::string message = "the printer did not answer (" + StepText(result.step, result.request) + ")";
        if (result.put_back) message += "; the settings already written were put back: nothing was changed";
        if (!result.left_unsaved.empty()) {
          message += "; written but not saved: " + Joined(result.left_unsaved) +
                     " (the next run of this command saves them)";
        }
        return report.Fail(kNoAnswer, message);
      }
    }
  }

  void Action(TUsbPrnCmd& cmd, Report& report) {
    const std::string& action = command_.operands[0];
    report.outcome = "done";
    if (action == "selftest") {
      if (!cmd.RunCommand("ui_prn_selftest")) NoAnswer(report, "ui_prn_selftest");
      return;
    }
    if (action == "beep") {
      if (!cmd.RunCommand("beep")) NoAnswer(report, "beep");
      return;
    }
    if (action == "factory-reset" && !cmd.RunCommand("reg_restore_default")) {
      return NoAnswer(report, "reg_restore_default");
    }
    if (!cmd.RunCommand("power_reset")) return NoAnswer(report, "power_reset");
    Waiter waiter(host_, cmd.PrinterName());
    if (!WaitForPrinterReturn(cmd, waiter)) NoAnswer(report, "waiting for the restart");
  }

  // "3 printers: 2 saved and verified, 1 failed (Velmo C: exit 4)"
  static std::string Summary(const std::vector<Report>& reports) {
    std::vector<std::pair<std::string, int>> counts;
    std::string failures;
    int failed = 0;
    for (const Report& report : reports) {
      if (report.code > kDiffers) {
        ++failed;
        failures += (failures.empty() ? "" : ", ") + report.name + ": exit " + std::to_string(report.code);
        continue;
      }
      const auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == report.outcome; });
      if (it == counts.end()) {
        counts.emplace_back(report.outcome, 1);
      } else {
        ++it->second;
      }
    }
    std::string summary = std::to_string(reports.size()) + (reports.size() == 1 ? " printer: " : " printers: ");
    std::string parts;
    for (const auto& [outcome, count] : counts) parts += (parts.empty() ? "" : ", ") + std::to_string(count) + " " + outcome;
    if (failed) parts += (parts.empty() ? "" : ", ") + std::to_string(failed) + " failed (" + failures + ")";
    return summary + parts;
  }

  static std::string Document(const std::vector<Report>& reports, int worst, const std::string& summary) {
    std::vector<std::string> items;
    for (const Report& report : reports) {
      JsonObject item;
      item.String("name", report.name)
          .String("model", report.model)
          .String("firmware", report.firmware)
          .String("outcome", report.outcome)
          .Number("exit_code", report.code);
      items.push_back(item.Append(report.json).Text());
    }
    JsonObject document;
    document.Raw("printers", JsonArray(items)).Number("exit_code", worst);
    if (!summary.empty()) document.String("summary", summary);
    return document.Text() + "\n";
  }

  VelmocfgHost& host_;
  const AnsiCodec& codec_;
  VelmocfgCommand command_;
  std::vector<const SettingKey*> keys_;
  ParsedProfile profile_;
};

}  // namespace

int RunVelmocfg(const std::vector<std::string>& arguments, VelmocfgHost& host) {
  auto parsed = ParseVelmocfgArguments(arguments);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    host.Err("velmocfg: " + *error + "\n" + kVelmocfgUsage);
    return kBadInput;
  }
  return Run(host, std::get<VelmocfgCommand>(std::move(parsed))).Execute();
}

}  // namespace velmo
