// The least a settings program can do in the reference driver page: read
// "-hdialog:" and send one request (the feature list). tools/bench-open
// times it as the floor that drv_velmo_oemui's opening is compared with.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  unsigned long long dialog = 0;
  for (int i = 1; i < argc; ++i)
    if (std::wcsncmp(argv[i], L"-hdialog:", 9) == 0) std::swscanf(argv[i] + 9, L"%llx", &dialog);
  LocalFree(argv);
  if (!dialog) return 1;
  char nothing = 0;
  COPYDATASTRUCT request{1, 1, &nothing};
  SendMessageW(reinterpret_cast<HWND>(static_cast<UINT_PTR>(dialog)), WM_COPYDATA, 0,
               reinterpret_cast<LPARAM>(&request));
  return 0;
}
