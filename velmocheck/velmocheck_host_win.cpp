#include "velmocheck_host_win.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <memory>

#include "text_win.h"

namespace velmo {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
struct PrinterCloser {
  void operator()(HANDLE h) const { ClosePrinter(h); }
};

}  // namespace

bool WinCheckHost::ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::unique_ptr<FILE, FileCloser> file(_wfopen(WidenUtf8(path).c_str(), L"rb"));
  if (!file) return false;
  bytes.clear();
  uint8_t buffer[65536];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  return !std::ferror(file.get());
}

bool WinCheckHost::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::unique_ptr<FILE, FileCloser> file(_wfopen(WidenUtf8(path).c_str(), L"wb"));
  if (!file) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() && std::fflush(file.get()) == 0;
}

// Forms belong to the print server, which a null printer name opens.
std::optional<FormSize> WinCheckHost::PaperForm(const std::string& name) {
  HANDLE server = nullptr;
  if (!OpenPrinterW(nullptr, &server, nullptr)) return std::nullopt;
  std::unique_ptr<void, PrinterCloser> closer(server);
  std::wstring form = WidenUtf8(name);
  DWORD needed = 0;
  GetFormW(server, form.data(), 1, nullptr, 0, &needed);
  if (needed < sizeof(FORM_INFO_1W)) return std::nullopt;
  std::vector<BYTE> buffer(needed);
  if (!GetFormW(server, form.data(), 1, buffer.data(), needed, &needed)) return std::nullopt;
  const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  return FormSize{static_cast<int32_t>(info->Size.cx), static_cast<int32_t>(info->Size.cy)};
}

void WinCheckHost::Out(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }
void WinCheckHost::Err(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }

std::vector<std::string> CheckArguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(NarrowToUtf8(argv[i]));
  return arguments;
}

}  // namespace velmo
