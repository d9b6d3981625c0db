#pragma once
// Stand-ins for the outside programs that the installer runs (devcon, the
// driver setup program, the script host, rundll32 and control). One program
// plays every role, chosen by its own file name; this is what it says and
// decides without Windows. Text is 8-bit, as the command line it reads.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::standin {

enum class Role { Devcon, DriverSetup, ScriptHost, Rundll32, Control, Unknown };

// From the program's path: lower-cased base name without ".exe".
Role RoleFromProgramPath(std::string_view path);

// Splits a command line by the C runtime's rules (quotes, backslashes before
// quotes, "" inside quotes); the first item is the program.
std::vector<std::string> SplitCommandLine(std::string_view command_line);
// The command line after the program, as the program received it.
std::string_view ArgumentsText(std::string_view command_line);

// Case-insensitive match of the whole text: '*' any run, '?' one character.
bool WildcardMatch(std::string_view pattern, std::string_view text);

struct Device {
  std::string hardware_id;
  std::string instance_id;
  std::string name;  // empty: devcon shows no Name line
};

// Lines "<hardware id>|<instance id>|<name>"; blank lines, '#' lines and lines
// without an instance ID are skipped.
std::vector<Device> ParseDeviceList(std::string_view text);

// What a run prints and ends with.
struct Outcome {
  std::string out;
  std::string err;
  int exit_code = 0;
  // devcon restart: the devices that start again, for which plug and play
  // would now set up a queue.
  std::vector<Device> restarted{};
};

// The port a USB printer's queue gets: the instance ID's text after its last
// "&" (USB001 for USBPRINT\VELMOLT42\7&2A1F3C5&0&USB001).
std::string UsbPortOf(std::string_view instance_id);

// Every listed device is a USB printer with this compatible ID.
inline constexpr std::string_view kUsbPrinterCompatibleId = "USB\\Class_07&SubClass_01&Prot_02";

// How long every devcon run takes before it answers, from the text of
// "devcon_delay.txt" beside it (decimal milliseconds, blanks and line ends
// around them): a slow device console tool. Nothing for other text.
std::optional<unsigned> DevconDelayMs(std::string_view text);

// devcon status|rescan|restart with the arguments after the program.
Outcome RunDevcon(const std::vector<std::string>& args, const std::vector<Device>& devices);

struct ScriptCall {
  std::string script;  // as given, not yet resolved
  std::vector<std::string> script_args;
  bool no_logo = false;
};

// The script host's arguments after the program: host options start with '/'
// (or "//"); the first other argument is the script, the rest are its own.
std::optional<ScriptCall> PickScript(const std::vector<std::string>& args);

// The script host's run once the script path is resolved against the current
// folder and looked up.
Outcome RunScriptHost(const ScriptCall& call, const std::string& full_path, bool exists);

struct PrintUiCall {
  bool install = false;  // "/if"
  bool remove = false;   // "/dl"
  std::optional<std::string> queue;  // /b, or /n for "/dl"
  std::optional<std::string> port;   // /r
  std::optional<std::string> model;  // /m
};

// rundll32's arguments text: "printui.dll,PrintUIEntry <options>" (a space
// instead of the comma too). Nothing when it names another entry point.
std::optional<PrintUiCall> ParsePrintUiCommand(std::string_view arguments);

}  // namespace velmo::standin
