#pragma once
// The window without administrator rights hands the steps that need them to
// one elevated copy of itself: the request goes to it as a plan file in a
// private folder, and what came of the steps comes back in an outcome file
// beside it. Both are lines "key=value".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installation.h"
#include "text_list.h"

namespace velmo {

// The helper's switch; the folder that holds the plan follows the colon.
constexpr std::string_view kElevatedHelperPrefix = "-elevated-helper:";
constexpr char kPlanFileName[] = "plan.txt";
constexpr char kOutcomeFileName[] = "outcome.txt";

// What the helper is asked to do: the request, and what its queue wait
// singles out.
struct HelperPlan {
  InstallationRequest request;
  std::vector<std::string> catalogueModels;
  TextList usbDeviceIds;

  InstalledPrinters Known() const { return {catalogueModels, usbDeviceIds}; }
};

// Nothing when a text of the request holds a line break, which no command
// line of the installation takes either.
std::optional<std::string> PlanText(const InstallationRequest& request, const InstalledPrinters& known);
// Nothing for a plan that is not one PlanText wrote.
std::optional<HelperPlan> ParsePlan(std::string_view text);

// Nothing when a name of the queue holds a line break.
std::optional<std::string> OutcomeText(const CommandsOutcome& outcome);
std::optional<CommandsOutcome> ParseOutcome(std::string_view text);

// The arguments after the program's own, each quoted as the platform's
// command-line splitting reads it back (double quotes and the backslashes
// before them escaped), for an elevated copy of the same run.
std::string CommandLineOf(const std::vector<std::string>& argumentsAfterProgram);

}  // namespace velmo
