#include "velmocfg_host_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "printer_hold_win.h"
#include "printer_queues_win.h"
#include "profile_file_win.h"
#include "text_win.h"
#include "unsaved_writes_win.h"
#include "usb_locator_win.h"
#include "usb_port_win.h"

namespace velmo {
namespace {

void Write(FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace

std::vector<std::string> Win32VelmocfgHost::PresentPrinters() { return ListUsbPrinterQueues(); }
bool Win32VelmocfgHost::IsPrinterPresent(std::string_view ansi_name) { return IsUsbPrinterPresent(ansi_name); }
std::string Win32VelmocfgHost::DeviceOf(std::string_view ansi_name) { return UsbPrinterIdentity(ansi_name); }

std::unique_ptr<PrinterHold> Win32VelmocfgHost::HoldPrinter(std::string_view ansi_name) {
  return HoldPrinterDevice(ansi_name, kPrinterHoldWaitMs);
}

std::unique_ptr<UnsavedWrites> Win32VelmocfgHost::UnsavedWritesOf(std::string_view ansi_name) {
  return UnsavedWritesFile(ansi_name);
}
UsbPortOpener& Win32VelmocfgHost::Ports() { return UsbPrinterPorts(); }
uint64_t Win32VelmocfgHost::NowMs() { return GetTickCount64(); }
void Win32VelmocfgHost::Sleep(uint32_t ms) { ::Sleep(ms); }

std::optional<std::string> Win32VelmocfgHost::ReadFile(const std::string& path, size_t limit) {
  return ReadProfileFile(WidenUtf8(path), limit);
}

bool Win32VelmocfgHost::WriteFile(const std::string& path, const std::string& content) {
  return WriteProfileFile(WidenUtf8(path), content);
}

bool Win32VelmocfgHost::MakeFolder(const std::string& path) {
  const std::wstring wide = WidenUtf8(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32VelmocfgHost::ReadInput(size_t limit) {
  std::string input;
  char chunk[4096];
  size_t got = 0;
  while (input.size() < limit && (got = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) {
    input.append(chunk, std::min(got, limit - input.size()));
  }
  if (std::ferror(stdin)) return std::nullopt;
  return input;
}

std::string Win32VelmocfgHost::LocalDateTime() { return LocalDateTimeText(); }

void Win32VelmocfgHost::Out(std::string_view text) { Write(stdout, text); }
void Win32VelmocfgHost::Err(std::string_view text) { Write(stderr, text); }

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(NarrowToUtf8(argv[i]));
  return arguments;
}

}  // namespace velmo
