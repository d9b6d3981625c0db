#include "silent_arguments.h"

#include <algorithm>

#include "install_record.h"
#include "installation.h"
#include "startup_decision.h"

namespace velmo {
namespace {

constexpr std::string_view kSilentSwitch = "-silent";
constexpr std::string_view kUsbSwitch = "-usb";
constexpr std::string_view kNoDefaultSwitch = "-nodefault";
constexpr std::string_view kModelPrefix = "-model:";
constexpr std::string_view kIpPrefix = "-ip:";
constexpr std::string_view kLogPrefix = "-log:";
constexpr std::string_view kUninstallSwitch = "-uninstall";
constexpr std::string_view kQueuePrefix = "-queue:";

// The value after `prefix` when the argument starts with it.
std::optional<std::string> ValueOf(const std::string& argument, std::string_view prefix) {
  if (!argument.starts_with(prefix)) return std::nullopt;
  return argument.substr(prefix.size());
}

}  // namespace

SilentArguments ReadSilentArguments(const std::vector<std::string>& arguments) {
  SilentArguments read;
  for (const std::string& raw : arguments) {
    const std::string argument = ReadArgument(raw);
    if (argument == kSilentSwitch) {
      read.silent = true;
    } else if (argument == kUsbSwitch) {
      read.usb = true;
    } else if (argument == kNoDefaultSwitch) {
      read.noDefault = true;
    } else if (argument == kUninstallSwitch) {
      read.uninstall = true;
    } else if (argument == "-?" || argument == "/?") {
      read.usage = true;
    } else if (auto model = ValueOf(argument, kModelPrefix)) {
      read.model = std::move(model);
    } else if (auto ip = ValueOf(argument, kIpPrefix)) {
      read.ipText = std::move(ip);
    } else if (auto log = ValueOf(argument, kLogPrefix)) {
      read.logPath = std::move(log);
    } else if (auto queue = ValueOf(argument, kQueuePrefix)) {
      read.queue = std::move(queue);
    }
  }
  return read;
}

std::optional<std::string> SilentArgumentsProblem(const SilentArguments& arguments) {
  if (!arguments.model || !HasText(*arguments.model)) return "no model: give -model:NAME";
  if (arguments.ipText && arguments.usb) return "both -ip: and -usb: give one of them";
  if (!arguments.ipText && !arguments.usb) return "neither -ip: nor -usb: give one of them";
  if (arguments.logPath && !HasText(*arguments.logPath)) return "-log: names no file";
  return std::nullopt;
}

std::optional<std::string> UninstallArgumentsProblem(const SilentArguments& arguments) {
  if (!arguments.queue || !HasText(*arguments.queue)) return "no queue: give -queue:NAME";
  if (!InstallRecordKey(*arguments.queue)) return "the queue name \"" + *arguments.queue + "\" holds a backslash";
  // A quote would end printui's quoted name early, and the rest would be
  // read as further switches; a control character has no place in a
  // command line.
  if (std::ranges::any_of(*arguments.queue, [](char c) { return c == '"' || static_cast<unsigned char>(c) < 0x20; }))
    return "the queue name holds a double quote or a control character";
  if (arguments.logPath && !HasText(*arguments.logPath)) return "-log: names no file";
  return std::nullopt;
}

}  // namespace velmo
