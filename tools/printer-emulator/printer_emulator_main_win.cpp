// printer_emulator [--pipe PATH] [--piece-size N] [--first-delay-ms N]
//                  [--piece-delay-ms N] [--restart-ms N]
// Answers the printer's USB protocol on a named pipe until it is ended.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "pipe_printer_server_win.h"

int wmain(int argc, wchar_t** argv) {
  using namespace velmo::emulator;
  PrinterFirmware firmware;
  std::string pipe = kDefaultPipePath;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const unsigned long number = std::wcstoul(argv[i + 1], nullptr, 10);
    if (option == L"--pipe") {
      pipe.clear();
      for (const wchar_t* c = argv[i + 1]; *c; ++c) pipe.push_back(static_cast<char>(*c));
    } else if (option == L"--piece-size") {
      firmware.timing.piece_size = number;
    } else if (option == L"--first-delay-ms") {
      firmware.timing.first_delay_ms = number;
    } else if (option == L"--piece-delay-ms") {
      firmware.timing.piece_delay_ms = number;
    } else if (option == L"--restart-ms") {
      firmware.restart_ms = number;
    } else {
      std::fwprintf(stderr, L"unknown option %ls\n", option.c_str());
      return 2;
    }
  }
  std::printf("printer emulator on %s\n", pipe.c_str());
  std::fflush(stdout);
  PipePrinterServer server(firmware, pipe);
  server.Run();
  return 0;
}
