#pragma once
// The arguments of a silent, scripted installation ("-silent", "-model:",
// "-ip:", "-usb", "-nodefault", "-log:"), an uninstallation's ("-uninstall",
// "-queue:"), and "-?", read like "-language:": any order, exact case,
// quotes around an argument removed; of repeated ones the last wins.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

struct SilentArguments {
  bool silent = false;
  std::optional<std::string> model;   // "-model:", as given
  std::optional<std::string> ipText;  // "-ip:", as given
  bool usb = false;                   // "-usb"
  std::optional<std::string> logPath; // "-log:"
  bool noDefault = false;             // "-nodefault": the default printer is left alone
  bool usage = false;                 // "-?" or "/?"
  bool uninstall = false;             // "-uninstall"
  std::optional<std::string> queue;   // "-queue:", the queue to remove
};

// Arguments from index 0 (the program) to the last, in the ANSI code page;
// anything else ("-language:" among it) is left to the start-up decision.
SilentArguments ReadSilentArguments(const std::vector<std::string>& arguments);

// Why the arguments cannot give an installation before the catalogue is
// read: no model, both or neither of "-ip:" and "-usb", or a "-log:" that
// names no file. Nothing when they can.
std::optional<std::string> SilentArgumentsProblem(const SilentArguments& arguments);

// Why the arguments cannot give an uninstallation: no "-queue:", one that
// names no queue or another key (a backslash), one with a double quote or
// a control character, or an empty "-log:".
std::optional<std::string> UninstallArgumentsProblem(const SilentArguments& arguments);

}  // namespace velmo
