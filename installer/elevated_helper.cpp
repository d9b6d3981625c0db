#include "elevated_helper.h"

#include <vector>

#include "startup_decision.h"

namespace velmo {
namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

bool AddLine(std::string& text, std::string_view key, std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  text.append(key).append("=").append(value).append("\n");
  return true;
}

std::optional<Lines> Split(std::string_view text) {
  Lines lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::string_view line = text.substr(0, end);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    lines.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<bool> Flag(const std::string& value) {
  if (value == "1") return true;
  if (value == "0") return false;
  return std::nullopt;
}

// A language record as the start-up builds it, and nothing else.
bool IsLanguageRecord(const std::string& command) {
  constexpr std::string_view kBefore = "/d \"", kAfter = "\" /f";
  const std::size_t start = command.find(kBefore);
  if (start == std::string::npos || !command.ends_with(kAfter)) return false;
  const std::size_t from = start + kBefore.size();
  if (command.size() < from + kAfter.size()) return false;
  return LanguageRecordCommand(command.substr(from, command.size() - kAfter.size() - from)) == command;
}

constexpr InstallationStep kSteps[] = {
    InstallationStep::DriverSetup,  InstallationStep::DevconRescan, InstallationStep::DevconRestart,
    InstallationStep::PortCommand,  InstallationStep::QueueCommand, InstallationStep::QueueWait,
    InstallationStep::Elevation,
};

}  // namespace

std::optional<std::string> PlanText(const InstallationRequest& request, const InstalledPrinters& known) {
  std::string text;
  bool ok = AddLine(text, "usb", request.usb ? "1" : "0") && AddLine(text, "network", request.network ? "1" : "0") &&
            AddLine(text, "driver", request.installDriver ? "1" : "0") && AddLine(text, "ip", request.ipText) &&
            AddLine(text, "model", request.modelText);
  for (const std::string& command : request.recordCommands) ok = ok && AddLine(text, "record", command);
  for (const std::string& model : known.catalogueModels) ok = ok && AddLine(text, "catalogue", model);
  for (const std::string& id : known.usbDeviceIds.Items()) ok = ok && AddLine(text, "usb-id", id);
  if (!ok) return std::nullopt;
  return text + "end=1\n";
}

std::optional<HelperPlan> ParsePlan(std::string_view text) {
  const std::optional<Lines> lines = Split(text);
  if (!lines || lines->empty() || lines->back() != std::pair<std::string, std::string>{"end", "1"})
    return std::nullopt;
  HelperPlan plan;
  InstallationRequest& request = plan.request;
  for (std::size_t i = 0; i + 1 < lines->size(); ++i) {
    const auto& [key, value] = (*lines)[i];
    std::optional<bool> flag = Flag(value);
    if (key == "usb" && flag) {
      request.usb = *flag;
    } else if (key == "network" && flag) {
      request.network = *flag;
    } else if (key == "driver" && flag) {
      request.installDriver = *flag;
    } else if (key == "ip") {
      request.ipText = value;
    } else if (key == "model") {
      request.modelText = value;
    } else if (key == "record" && IsLanguageRecord(value)) {
      request.recordCommands.push_back(value);
    } else if (key == "catalogue") {
      plan.catalogueModels.push_back(value);
    } else if (key == "usb-id") {
      plan.usbDeviceIds.Add(value);
    } else {
      return std::nullopt;
    }
  }
  if (request.usb == request.network) return std::nullopt;
  // The helper runs these command lines with full rights: the same checks
  // as the window's.
  if (request.network && NetworkInputProblem(request)) return std::nullopt;
  return plan;
}

std::optional<std::string> OutcomeText(const CommandsOutcome& outcome) {
  std::string text;
  bool ok = AddLine(text, "go-on", outcome.goOn ? "1" : "0") &&
            AddLine(text, "failed", outcome.failedStep ? std::to_string(static_cast<int>(*outcome.failedStep)) : "") &&
            AddLine(text, "restart", outcome.restartNeeded ? "1" : "0");
  if (outcome.queue) {
    ok = ok && AddLine(text, "queue", outcome.queue->printerName) && AddLine(text, "port", outcome.queue->portName) &&
         AddLine(text, "driver", outcome.queue->driverName);
  }
  if (!ok) return std::nullopt;
  return text;
}

std::optional<CommandsOutcome> ParseOutcome(std::string_view text) {
  const std::optional<Lines> lines = Split(text);
  if (!lines || (lines->size() != 3 && lines->size() != 6)) return std::nullopt;
  const auto& goOn = (*lines)[0];
  const auto& failed = (*lines)[1];
  const auto& restart = (*lines)[2];
  if (goOn.first != "go-on" || failed.first != "failed" || restart.first != "restart") return std::nullopt;
  CommandsOutcome outcome;
  const std::optional<bool> on = Flag(goOn.second), again = Flag(restart.second);
  if (!on || !again) return std::nullopt;
  outcome.goOn = *on;
  outcome.restartNeeded = *again;
  if (!failed.second.empty()) {
    bool known = false;
    for (InstallationStep step : kSteps) {
      if (failed.second == std::to_string(static_cast<int>(step))) {
        outcome.failedStep = step;
        known = true;
      }
    }
    if (!known) return std::nullopt;
  }
  if (lines->size() == 6) {
    const auto& name = (*lines)[3];
    const auto& port = (*lines)[4];
    const auto& driver = (*lines)[5];
    if (name.first != "queue" || port.first != "port" || driver.first != "driver") return std::nullopt;
    outcome.queue = PrinterQueue{name.second, port.second, driver.second};
  }
  return outcome;
}

std::string CommandLineOf(const std::vector<std::string>& argumentsAfterProgram) {
  std::string line;
  for (const std::string& argument : argumentsAfterProgram) {
    if (!line.empty()) line += ' ';
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
      line += argument;
      continue;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (char c : argument) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      // Backslashes count as escapes only before a double quote.
      line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
      backslashes = 0;
      line += c;
    }
    line.append(2 * backslashes, '\\');  // before the closing quote
    line += '"';
  }
  return line;
}

}  // namespace velmo
