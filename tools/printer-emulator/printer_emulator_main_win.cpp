// printer_emulator [--pipe PATH [OPTION]...]...
// Answers the printer's USB protocol on named pipes until it is ended. Each
// --pipe adds one printer; the options after it set up that printer (before
// the first --pipe, the one printer on the default pipe):
//   --piece-size N  --first-delay-ms N  --piece-delay-ms N  --restart-ms N
//   --set KEY=VALUE       a setting's value (a number, a text or a dotted address)
//   --ignore-writes KEY   answers writes of KEY but keeps its value
//   --unknown-key KEY     refuses reads and writes of KEY, as a firmware without it does
//   --unplug-after-writes N
//                         drops off the bus for a second, once, after the Nth setting write
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <list>
#include <memory>
#include <string>
#include <variant>

#include "pipe_printer_server_win.h"

namespace {

using velmo::emulator::PrinterFirmware;
using velmo::emulator::SettingValue;

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text) narrow.push_back(static_cast<char>(*text));
  return narrow;
}

// The value in the kind the setting already has.
bool SetFromText(PrinterFirmware& firmware, const std::string& assignment) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos) return false;
  const std::string key = assignment.substr(0, equals), text = assignment.substr(equals + 1);
  const SettingValue* current = firmware.Current(key);
  if (!current) return false;
  if (std::holds_alternative<int32_t>(*current)) {
    firmware.SetCurrent(key, static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)));
  } else if (std::holds_alternative<std::string>(*current)) {
    firmware.SetCurrent(key, text);
  } else {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) != 4) return false;
    firmware.SetCurrent(key, std::vector<uint8_t>{static_cast<uint8_t>(a), static_cast<uint8_t>(b),
                                                  static_cast<uint8_t>(c), static_cast<uint8_t>(d)});
  }
  return true;
}

struct Printer {
  std::string pipe = velmo::emulator::kDefaultPipePath;
  PrinterFirmware firmware;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace velmo::emulator;
  std::list<Printer> printers(1);
  bool pipe_given = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const std::string value = Narrow(argv[i + 1]);
    const unsigned long number = std::wcstoul(argv[i + 1], nullptr, 10);
    PrinterFirmware& firmware = printers.back().firmware;
    if (option == L"--pipe") {
      if (pipe_given) printers.emplace_back();
      printers.back().pipe = value;
      pipe_given = true;
    } else if (option == L"--piece-size") {
      firmware.timing.piece_size = number;
    } else if (option == L"--first-delay-ms") {
      firmware.timing.first_delay_ms = number;
    } else if (option == L"--piece-delay-ms") {
      firmware.timing.piece_delay_ms = number;
    } else if (option == L"--restart-ms") {
      firmware.restart_ms = number;
    } else if (option == L"--ignore-writes") {
      firmware.ignored_writes.insert(value);
    } else if (option == L"--unplug-after-writes") {
      firmware.unplug_after_writes = static_cast<int>(number);
    } else if (option == L"--unknown-key") {
      firmware.unknown_keys.insert(value);
    } else if (option != L"--set" || !SetFromText(firmware, value)) {
      std::fwprintf(stderr, L"bad option %ls %ls\n", option.c_str(), argv[i + 1]);
      return 2;
    }
  }
  std::list<PipePrinterServer> servers;
  for (Printer& printer : printers) {
    std::printf("printer emulator on %s\n", printer.pipe.c_str());
    servers.emplace_back(printer.firmware, printer.pipe);
  }
  std::fflush(stdout);
  // Every printer but the last serves on a thread of its own.
  for (auto it = servers.begin(); std::next(it) != servers.end(); ++it) it->Start();
  servers.back().Run();
  return 0;
}
