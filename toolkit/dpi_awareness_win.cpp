#include "dpi_awareness_win.h"

namespace toolkit {

namespace {

// Through void (*)(), the type that stands for any function, as GetProcAddress's does.
template <class Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

DpiAwarenessCalls SystemDpiAwarenessCalls() {
  DpiAwarenessCalls calls;
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    calls.WindowContext = Lookup<decltype(calls.WindowContext)>(user32, "GetWindowDpiAwarenessContext");
    calls.SetThreadContext = Lookup<decltype(calls.SetThreadContext)>(user32, "SetThreadDpiAwarenessContext");
  }
  return calls;
}

bool MatchThreadDpiAwareness(HWND window, const DpiAwarenessCalls& calls) {
  if (!window || !calls.WindowContext || !calls.SetThreadContext || !IsWindow(window)) return false;
  const DPI_AWARENESS_CONTEXT context = calls.WindowContext(window);
  return context && calls.SetThreadContext(context) != nullptr;
}

}  // namespace toolkit
