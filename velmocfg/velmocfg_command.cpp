#include "velmocfg_command.h"

#include <algorithm>
#include <string_view>

namespace velmo {

const char kVelmocfgUsage[] =
    "usage: velmocfg COMMAND [OPTIONS]\n"
    "  list                                      printers attached by USB now, one a line\n"
    "  show [-printer:NAME]                      every setting, KEY=VALUE\n"
    "  get KEY... [-printer:NAME]                the named settings\n"
    "  set KEY=VALUE... [-printer:NAME]          write, save, wait for the printer, verify\n"
    "  export FILE [-printer:NAME] [-with-secrets]\n"
    "                                            save the settings as a profile (passwords\n"
    "                                            only with -with-secrets)\n"
    "  diff FILE [-printer:NAME]                 KEY: printer -> profile, for what differs\n"
    "  import FILE [-printer:NAME | -all] [-dry-run]\n"
    "                                            write what differs, save, wait, verify\n"
    "  run selftest|restart|factory-reset|beep [-printer:NAME]\n"
    "Without -printer: the one printer present is used.\n"
    "Exit codes: 0 done; 2 bad command or profile; 3 no printer or several;\n"
    "            4 the printer did not answer; 5 a value did not take.\n";

namespace {

struct VerbRule {
  std::string_view name;
  VelmocfgVerb verb;
  size_t min_operands, max_operands;
};

constexpr VerbRule kVerbs[] = {
    {"list", VelmocfgVerb::kList, 0, 0},       {"show", VelmocfgVerb::kShow, 0, 0},
    {"get", VelmocfgVerb::kGet, 1, SIZE_MAX},  {"set", VelmocfgVerb::kSet, 1, SIZE_MAX},
    {"export", VelmocfgVerb::kExport, 1, 1},   {"diff", VelmocfgVerb::kDiff, 1, 1},
    {"import", VelmocfgVerb::kImport, 1, 1},   {"run", VelmocfgVerb::kRun, 1, 1},
};

constexpr std::string_view kPrinterOption = "-printer:";
constexpr std::string_view kRunActions[] = {"selftest", "restart", "factory-reset", "beep"};

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h" || argument == "/?"; }

}  // namespace

std::variant<VelmocfgCommand, std::string> ParseVelmocfgArguments(const std::vector<std::string>& arguments) {
  if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) return VelmocfgCommand{};
  if (arguments.empty()) return std::string("no command given");
  const auto rule = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                 [&](const VerbRule& verb) { return verb.name == arguments[0]; });
  if (rule == std::end(kVerbs)) return "unknown command \"" + arguments[0] + "\"";

  VelmocfgCommand command;
  command.verb = rule->verb;
  const bool uses_printer = command.verb != VelmocfgVerb::kList;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument[0] != '-') {
      command.operands.push_back(argument);
    } else if (uses_printer && argument.rfind(kPrinterOption, 0) == 0) {
      if (argument.size() == kPrinterOption.size()) return std::string("-printer: needs a printer name");
      if (command.printer) return std::string("-printer: given twice");
      command.printer = argument.substr(kPrinterOption.size());
    } else if (argument == "-all" && command.verb == VelmocfgVerb::kImport) {
      command.all = true;
    } else if (argument == "-dry-run" && command.verb == VelmocfgVerb::kImport) {
      command.dry_run = true;
    } else if (argument == "-with-secrets" && command.verb == VelmocfgVerb::kExport) {
      command.with_secrets = true;
    } else {
      return "option " + argument + " does not go with " + std::string(rule->name);
    }
  }
  if (command.all && command.printer) return std::string("-all and -printer: exclude each other");
  const size_t count = command.operands.size();
  if (count < rule->min_operands) return std::string(rule->name) + " needs more arguments";
  if (count > rule->max_operands) return std::string(rule->name) + " takes fewer arguments";
  if (command.verb == VelmocfgVerb::kRun &&
      std::find(std::begin(kRunActions), std::end(kRunActions), command.operands[0]) == std::end(kRunActions)) {
    return "run takes selftest, restart, factory-reset or beep";
  }
  return command;
}

}  // namespace velmo
