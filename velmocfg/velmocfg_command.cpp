#include "velmocfg_command.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace velmo {

const char kVelmocfgUsage[] =
    "usage: velmocfg COMMAND [OPTIONS]\n"
    "  list                                 printers attached by USB now: name, model, firmware\n"
    "  show                                 every setting, KEY=VALUE\n"
    "  get KEY...                           the named settings\n"
    "  set KEY=VALUE... [-dry-run]          write, save, wait for the printer, verify;\n"
    "                                       KEY=- reads the value from standard input\n"
    "  export FILE [-with-secrets] [-fleet] save the settings as a profile (with -all: FILE is\n"
    "                                       a folder, one profile a printer, named after it)\n"
    "  diff FILE                            KEY: printer -> profile, for what differs\n"
    "  import FILE [-dry-run] [-force] [-keep:KEY,...] [-any-model]\n"
    "                                       write what differs, save, wait, verify\n"
    "  run selftest|restart|factory-reset|beep\n"
    "Options:\n"
    "  -printer:NAME   the printer; without it (and without -all) the one present\n"
    "  -all            every printer present (queues of one printer count once)\n"
    "  -json           one JSON document on standard output\n"
    "  -with-secrets   show passwords (otherwise ***) and export them\n"
    "  -fleet          leave out what each printer has for itself: LAN_CONFIG_IPADDRESS,\n"
    "                  WIFI_CONFIG_IPADDRESS, BLUETOOTH_NAME, BLUETOOTH_NAME_LE\n"
    "  -keep:KEY,...   leave these settings as each printer has them\n"
    "  -force          save and verify even when nothing differs\n"
    "  -any-model      import a profile made on another printer model\n"
    "A printer is used by one program at a time; another waits up to 10 s.\n"
    "Exit codes: 0 done (diff: no difference); 1 diff found differences;\n"
    "            2 bad command or profile; 3 no printer or several;\n"
    "            4 the printer did not answer or is in use; 5 a value did not take.\n"
    "            With -all: the worst of all printers.\n";

namespace {

using Verb = VelmocfgVerb;

struct VerbRule {
  std::string_view name;
  Verb verb;
  size_t min_operands, max_operands;
};

constexpr VerbRule kVerbs[] = {
    {"list", Verb::kList, 0, 0},      {"show", Verb::kShow, 0, 0},     {"get", Verb::kGet, 1, SIZE_MAX},
    {"set", Verb::kSet, 1, SIZE_MAX}, {"export", Verb::kExport, 1, 1}, {"diff", Verb::kDiff, 1, 1},
    {"import", Verb::kImport, 1, 1},  {"run", Verb::kRun, 1, 1},
};

constexpr std::string_view kPrinterOption = "-printer:", kKeepOption = "-keep:";
constexpr std::string_view kRunActions[] = {"selftest", "restart", "factory-reset", "beep"};

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h" || argument == "/?"; }

bool Among(Verb verb, std::initializer_list<Verb> verbs) {
  return std::find(verbs.begin(), verbs.end(), verb) != verbs.end();
}

// The switch's flag when `argument` names one that goes with `verb`.
bool* Switch(VelmocfgCommand& command, std::string_view argument) {
  const Verb verb = command.verb;
  if (argument == "-all" && verb != Verb::kList) return &command.all;
  if (argument == "-json" && verb != Verb::kExport) return &command.json;
  if (argument == "-dry-run" && Among(verb, {Verb::kImport, Verb::kSet})) return &command.dry_run;
  if (argument == "-with-secrets" && Among(verb, {Verb::kExport, Verb::kShow, Verb::kGet, Verb::kDiff, Verb::kImport,
                                                  Verb::kSet})) {
    return &command.with_secrets;
  }
  if (argument == "-fleet" && verb == Verb::kExport) return &command.fleet;
  if (argument == "-any-model" && verb == Verb::kImport) return &command.any_model;
  if (argument == "-force" && verb == Verb::kImport) return &command.force;
  return nullptr;
}

std::vector<std::string> SplitKeys(std::string_view list) {
  std::vector<std::string> keys;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    if (const std::string_view key = list.substr(0, comma); !key.empty()) keys.emplace_back(key);
    list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
  }
  return keys;
}

}  // namespace

std::variant<VelmocfgCommand, std::string> ParseVelmocfgArguments(const std::vector<std::string>& arguments) {
  if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) return VelmocfgCommand{};
  if (arguments.empty()) return std::string("no command given");
  const auto rule = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                 [&](const VerbRule& verb) { return verb.name == arguments[0]; });
  if (rule == std::end(kVerbs)) return "unknown command \"" + arguments[0] + "\"";

  VelmocfgCommand command;
  command.verb = rule->verb;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument[0] != '-') {
      command.operands.push_back(argument);
    } else if (command.verb != Verb::kList && argument.starts_with(kPrinterOption)) {
      if (argument.size() == kPrinterOption.size()) return std::string("-printer: needs a printer name");
      if (command.printer) return std::string("-printer: given twice");
      command.printer = argument.substr(kPrinterOption.size());
    } else if (command.verb == Verb::kImport && argument.starts_with(kKeepOption)) {
      for (std::string& key : SplitKeys(std::string_view(argument).substr(kKeepOption.size()))) {
        command.keep.push_back(std::move(key));
      }
      if (command.keep.empty()) return std::string("-keep: needs keys, separated by commas");
    } else if (bool* flag = Switch(command, argument)) {
      *flag = true;
    } else {
      return "option " + argument + " does not go with " + std::string(rule->name);
    }
  }
  if (command.all && command.printer) return std::string("-all and -printer: exclude each other");
  const size_t count = command.operands.size();
  if (count < rule->min_operands) return std::string(rule->name) + " needs more arguments";
  if (count > rule->max_operands) return std::string(rule->name) + " takes fewer arguments";
  if (command.verb == Verb::kRun &&
      std::find(std::begin(kRunActions), std::end(kRunActions), command.operands[0]) == std::end(kRunActions)) {
    return "run takes selftest, restart, factory-reset or beep";
  }
  return command;
}

}  // namespace velmo
