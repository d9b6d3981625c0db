#include "standin_core.h"

#include <algorithm>
#include <cstddef>

namespace velmo::standin {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string ToLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower(c);
  return lower;
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = Upper(c);
  return upper;
}

bool SameText(std::string_view a, std::string_view b) { return ToLower(a) == ToLower(b); }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (Blank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (Blank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The program name has simpler rules than the arguments: a quote runs to the
// next quote, with no escapes, since paths cannot hold quotes.
size_t ProgramEnd(std::string_view line) {
  if (!line.empty() && line.front() == '"') {
    const size_t close = line.find('"', 1);
    return close == std::string_view::npos ? line.size() : close + 1;
  }
  size_t end = 0;
  while (end < line.size() && !Blank(line[end])) ++end;
  return end;
}

std::string Usage() {
  return "devcon: expected \"status <hardware id>...\", \"rescan\" or \"restart <hardware id>...\"\r\n";
}

}  // namespace

Role RoleFromProgramPath(std::string_view path) {
  std::string name = ToLower(BaseName(path));
  if (name.size() > 4 && name.ends_with(".exe")) name.resize(name.size() - 4);
  if (name == "devcon" || name == "devcon_x64" || name == "devcon_x32") return Role::Devcon;
  if (name == "drovik") return Role::DriverSetup;
  if (name == "cscript") return Role::ScriptHost;
  if (name == "rundll32") return Role::Rundll32;
  if (name == "control") return Role::Control;
  return Role::Unknown;
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> items;
  const size_t program_end = ProgramEnd(line);
  std::string_view program = line.substr(0, program_end);
  if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
    program = program.substr(1, program.size() - 2);
  } else if (!program.empty() && program.front() == '"') {
    program.remove_prefix(1);
  }
  items.emplace_back(program);

  size_t i = program_end;
  while (true) {
    while (i < line.size() && Blank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string item;
    bool quoted = false;
    while (i < line.size() && (quoted || !Blank(line[i]))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == '"') {
        item.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          item.push_back('"');
          ++i;
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          item.push_back('"');
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        item.append(backslashes, '\\');
        if (backslashes == 0) item.push_back(line[i++]);
      }
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::string_view ArgumentsText(std::string_view line) {
  size_t i = ProgramEnd(line);
  while (i < line.size() && Blank(line[i])) ++i;
  return line.substr(i);
}

bool WildcardMatch(std::string_view pattern, std::string_view text) {
  // Backtrack only to the last '*': each earlier star is already satisfied, so
  // the match stays linear in practice even for patterns with many stars.
  size_t p = 0, t = 0;
  size_t star = std::string_view::npos, star_text = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && Lower(pattern[p]) == Lower(text[t])))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_text = t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++star_text;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<Device> ParseDeviceList(std::string_view text) {
  std::vector<Device> devices;
  while (!text.empty()) {
    const size_t newline = text.find('\n');
    const std::string_view line = Trim(text.substr(0, newline));
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    if (line.empty() || line.front() == '#') continue;
    const size_t bar = line.find('|');
    if (bar == std::string_view::npos) continue;
    const std::string_view rest = line.substr(bar + 1);
    const size_t second = rest.find('|');
    Device device;
    device.hardware_id = Trim(line.substr(0, bar));
    device.instance_id = Trim(rest.substr(0, second));
    if (second != std::string_view::npos) device.name = Trim(rest.substr(second + 1));
    if (device.instance_id.empty()) continue;
    devices.push_back(std::move(device));
  }
  return devices;
}

std::string UsbPortOf(std::string_view instance_id) {
  return std::string(instance_id.substr(instance_id.rfind('&') + 1));
}

std::optional<unsigned> DevconDelayMs(std::string_view text) {
  // At most a minute: longer than any caller waits.
  constexpr unsigned kMaxDelayMs = 60000;
  const auto space = [](char c) { return Blank(c) || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 5) return std::nullopt;
  unsigned ms = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    ms = ms * 10 + unsigned(c - '0');
  }
  if (ms > kMaxDelayMs) return std::nullopt;
  return ms;
}

Outcome RunDevcon(const std::vector<std::string>& args, const std::vector<Device>& devices) {
  Outcome outcome;
  const std::string command = args.empty() ? std::string() : ToLower(args[0]);
  const std::vector<std::string> patterns(args.begin() + (args.empty() ? 0 : 1), args.end());
  auto matches = [&](const Device& device, bool by_compatible_id) {
    for (const std::string& pattern : patterns) {
      if (WildcardMatch(pattern, device.hardware_id)) return true;
      if (by_compatible_id && WildcardMatch(pattern, kUsbPrinterCompatibleId)) return true;
    }
    return false;
  };

  if (command == "rescan") {
    outcome.out = "Scanning for new hardware.\r\nScanning completed.\r\n";
  } else if (command == "status" && !patterns.empty()) {
    size_t found = 0;
    for (const Device& device : devices) {
      if (!matches(device, false)) continue;
      ++found;
      outcome.out += ToUpper(device.instance_id) + "\r\n";
      if (!device.name.empty()) outcome.out += "    Name: " + device.name + "\r\n";
      outcome.out += "    Driver is running.\r\n";
    }
    outcome.out += found == 0 ? std::string("No matching devices found.\r\n")
                              : std::to_string(found) + " matching device(s) found.\r\n";
  } else if (command == "restart" && !patterns.empty()) {
    size_t restarted = 0;
    for (const Device& device : devices) {
      if (!matches(device, true)) continue;
      ++restarted;
      outcome.out += ToUpper(device.instance_id) + ": Restarted\r\n";
      outcome.restarted.push_back(device);
    }
    outcome.out += std::to_string(restarted) + " device(s) restarted.\r\n";
  } else {
    outcome.err = Usage();
    outcome.exit_code = 1;
  }
  return outcome;
}

std::optional<ScriptCall> PickScript(const std::vector<std::string>& args) {
  ScriptCall call;
  size_t i = 0;
  for (; i < args.size() && !args[i].empty() && args[i].front() == '/'; ++i) {
    if (SameText(args[i], "//nologo")) call.no_logo = true;
  }
  if (i == args.size()) return std::nullopt;
  call.script = args[i];
  call.script_args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  return call;
}

Outcome RunScriptHost(const ScriptCall& call, const std::string& full_path, bool exists) {
  Outcome outcome;
  if (!exists) {
    outcome.out = "Input Error: Can not find script file \"" + full_path + "\".\r\n";
    outcome.exit_code = 1;
    return outcome;
  }
  if (!call.no_logo) {
    outcome.out = "Windows Script Host stand-in (Velmo test tools): the call is recorded, no script runs\r\n\r\n";
  }
  if (!SameText(BaseName(full_path), "prnport.vbs")) return outcome;
  bool add = false, remove = false;
  std::string port;
  for (size_t i = 0; i < call.script_args.size(); ++i) {
    if (SameText(call.script_args[i], "-a")) add = true;
    if (SameText(call.script_args[i], "-d")) remove = true;
    if (SameText(call.script_args[i], "-r") && i + 1 < call.script_args.size()) port = call.script_args[i + 1];
  }
  if (add) outcome.out += "Created/updated port " + port + "\r\n";
  // The stand-ins keep no ports of their own: a queue names its port.
  if (remove) outcome.out += "Deleted port " + port + "\r\n";
  return outcome;
}

std::optional<PrintUiCall> ParsePrintUiCommand(std::string_view arguments) {
  struct Token {
    std::string text;
    bool quoted = false;
  };
  // PrintUIEntry reads its options from the raw text, so a quoted value keeps
  // its spaces and a quoted "/x" is a value, not an option.
  auto next_token = [&arguments](std::string_view stops) -> std::optional<Token> {
    while (!arguments.empty() && Blank(arguments.front())) arguments.remove_prefix(1);
    if (arguments.empty()) return std::nullopt;
    Token token;
    if (arguments.front() == '"') {
      const size_t close = arguments.find('"', 1);
      token.quoted = true;
      token.text = arguments.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      arguments.remove_prefix(close == std::string_view::npos ? arguments.size() : close + 1);
    } else {
      const size_t end = std::min(arguments.find_first_of(stops), arguments.size());
      token.text = arguments.substr(0, end);
      arguments.remove_prefix(end);
    }
    return token;
  };

  const auto dll = next_token(" \t,");
  if (!dll || !(SameText(dll->text, "printui.dll") || SameText(dll->text, "printui"))) return std::nullopt;
  if (!arguments.empty() && arguments.front() == ',') arguments.remove_prefix(1);
  const auto entry = next_token(" \t");
  if (!entry || !SameText(entry->text, "PrintUIEntry")) return std::nullopt;

  std::vector<Token> tokens;
  while (auto token = next_token(" \t")) tokens.push_back(std::move(*token));
  PrintUiCall call;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].quoted) continue;
    const std::string& option = tokens[i].text;
    if (option == "/if" || option == "/dl") {
      (option == "/if" ? call.install : call.remove) = true;
      continue;
    }
    std::optional<std::string>* value = option == "/b" || option == "/n" ? &call.queue
                                        : option == "/r" ? &call.port
                                        : option == "/m" ? &call.model
                                                         : nullptr;
    if (value == nullptr || i + 1 == tokens.size()) continue;
    const Token& next = tokens[i + 1];
    if (!next.quoted && !next.text.empty() && next.text.front() == '/') continue;
    *value = next.text;
    ++i;
  }
  return call;
}

}  // namespace velmo::standin
