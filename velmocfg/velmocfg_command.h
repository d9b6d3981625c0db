#pragma once
// velmocfg's command line: one command, its operands and its options.
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velmo {

enum class VelmocfgVerb { kHelp, kList, kShow, kGet, kSet, kExport, kDiff, kImport, kRun };

struct VelmocfgCommand {
  VelmocfgVerb verb = VelmocfgVerb::kHelp;
  std::vector<std::string> operands;   // keys, KEY=VALUE, the file or folder, or run's action
  std::optional<std::string> printer;  // -printer:NAME, UTF-8
  bool all = false;
  bool dry_run = false;
  bool with_secrets = false;
  bool json = false;
  bool fleet = false;
  bool any_model = false;
  bool force = false;
  std::vector<std::string> keep;  // -keep:KEY,...
};

extern const char kVelmocfgUsage[];

// The command, or why the arguments (UTF-8, without the program) are refused.
std::variant<VelmocfgCommand, std::string> ParseVelmocfgArguments(const std::vector<std::string>& arguments);

}  // namespace velmo
