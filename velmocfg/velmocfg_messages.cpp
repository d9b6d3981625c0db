#include "velmocfg_messages.h"

namespace velmo {

std::string GroupName(std::string_view presence_key) {
  if (presence_key == "BT_ENABLED") return "Bluetooth";
  if (presence_key == "LAN_ENABLED") return "wired network";
  return "Wi-Fi";
}

std::string ProblemText(const ProfileError& error) {
  const std::string& key = error.key;
  const auto range = [&] { return "(" + std::to_string(error.low) + " to " + std::to_string(error.high) + ")"; };
  switch (error.problem) {
    case ProfileProblem::kCannotRead: return "cannot be read";
    case ProfileProblem::kEncoding:
      return "is not text in an encoding velmocfg reads: UTF-8 (with or without a byte order mark) or UTF-16 "
             "with a byte order mark (Notepad's \"Unicode\")";
    case ProfileProblem::kTooLarge: return "is larger than " + std::to_string(error.high) + " bytes";
    case ProfileProblem::kNotUtf8: return "is not UTF-8 text";
    case ProfileProblem::kNoEquals: return "expected KEY=VALUE";
    case ProfileProblem::kUnknownKey: return "unknown key \"" + key + "\"";
    case ProfileProblem::kReadOnly: return key + " cannot be written (it is read from the printer)";
    case ProfileProblem::kGivenTwice: return key + " is given twice (first on line " + std::to_string(error.low) + ")";
    case ProfileProblem::kNotWholeNumber: return key + " is not a whole number";
    case ProfileProblem::kOutOfRange: return key + " is out of range " + range();
    case ProfileProblem::kNotBoolean: return key + " must be 0 or 1";
    case ProfileProblem::kNotAddress: return key + " is not an address like 192.168.1.20";
    case ProfileProblem::kCodePage: return key + " holds characters the printer's code page cannot carry";
    case ProfileProblem::kZeroByte: return key + " holds a zero byte";
    case ProfileProblem::kTooLong:
      return key + " is too long for the printer (" + std::to_string(error.low) + " bytes, at most " +
             std::to_string(error.high) + ")";
    case ProfileProblem::kBadQuoting:
      return key + " has a quoted text that is not closed, or an escape other than \\\\ \\\" \\n \\r \\t \\xHH";
    case ProfileProblem::kNoSuchGroup: return key + ": this printer has no " + GroupName(error.detail);
    case ProfileProblem::kDarknessRange: return key + " is out of this printer's range " + range();
    case ProfileProblem::kUnknownToPrinter: return key + ": this printer's firmware does not know this setting";
    case ProfileProblem::kOtherModel:
      return "the profile is for a " + error.detail + ", the printer is a " + error.other +
             " (-any-model imports it anyway)";
    case ProfileProblem::kOtherFirmware:
      return "the profile was made with firmware " + error.detail + ", the printer has " + error.other;
  }
  return "is refused";
}

std::string StepText(ApplyStep step, const std::string& request) {
  switch (step) {
    case ApplyStep::kRead: return request.empty() ? "reading the settings" : "reading " + request;
    case ApplyStep::kWrite:
    case ApplyStep::kSave:
    case ApplyStep::kRestart: return "writing " + request;
    case ApplyStep::kWaitForReturn: return "waiting for the restart";
    case ApplyStep::kReadBack: return "reading the settings back";
  }
  return request;
}

}  // namespace velmo
