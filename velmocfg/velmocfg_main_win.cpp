// velmocfg: reads, compares, exports and imports the settings stored in Velmo
// printers attached by USB. `velmocfg --help` lists the commands.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "velmocfg_host_win.h"

int wmain(int argc, wchar_t** argv) {
  // Output is UTF-8 bytes, unchanged: a console shows them as UTF-8, a pipe
  // or file receives them as they are.
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  velmo::Win32VelmocfgHost host;
  return velmo::RunVelmocfg(velmo::Utf8Arguments(argc, argv), host);
}
