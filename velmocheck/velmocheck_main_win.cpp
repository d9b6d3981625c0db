// velmocheck: tells before printing whether every barcode of a label will
// still read once the printer has made its dots of it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "velmocheck_host_win.h"

int wmain(int argc, wchar_t** argv) {
  // Output is UTF-8 bytes, unchanged, as velmocfg's.
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  velmo::WinCheckHost host;
  return velmo::RunVelmocheck(velmo::CheckArguments(argc, argv), host);
}
