#include "debug_console_win.h"

#include <windows.h>

#include <cstdio>

namespace velmo {

namespace {
bool g_console_open = false;
}

void InitConsoleWindow() {
  if (g_console_open) return;
  g_console_open = true;
  AllocConsole();
  // Standard output goes to the console from now on; printf shows there.
  if (std::freopen("CONOUT$", "w", stdout)) std::printf("InitConsoleWindow OK!\n\n");
  std::fflush(stdout);
}

}  // namespace velmo
