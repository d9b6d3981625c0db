#include "run_hidden_win.h"

#include <vector>

#include "batch_file.h"
#include "installation.h"
#include "private_folder_win.h"
#include "system_tools_win.h"
#include "text_win.h"

namespace velmo {
namespace {

constexpr DWORD kBatchTimeoutMs = 5000;

// Lines end in CR LF.
std::string WithCrLf(const std::string& text) {
  std::string lines;
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return lines;
}

// The command interpreter of this process's own system folder: a 32-bit
// one runs the batch, whose first line moves to the native folder.
std::string CommandInterpreter() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return NarrowToUtf8(std::wstring(folder, length)) + "\\cmd.exe";
}

}  // namespace

std::optional<PROCESS_INFORMATION> StartProgram(const std::string& commandLine, WORD show,
                                                const std::string& workingFolder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION process{};
  // CreateProcessW may write into the command line.
  std::wstring line = WidenUtf8(commandLine);
  line.push_back(L'\0');
  const std::wstring folder = WidenUtf8(workingFolder);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return std::nullopt;
  return process;
}

int RunHidden(const std::string& commandLine, DWORD timeoutMs, const std::string& workingFolder) {
  const std::optional<PROCESS_INFORMATION> started = StartProgram(commandLine, SW_HIDE, workingFolder);
  if (!started) return -1;
  const PROCESS_INFORMATION& process = *started;
  WaitForSingleObject(process.hProcess, timeoutMs);
  DWORD code = DWORD(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

int RunBatch(const std::string& commandLine) {
  // The command interpreter reads a batch file in the OEM code page.
  const std::optional<std::string> text = ToCodePage(BatchFileText(NativeSystemFolder(), commandLine), CP_OEMCP);
  if (!text) return kNotInCodePage;
  const std::string interpreter = CommandInterpreter();
  std::optional<PrivateFolder> folder = PrivateFolder::Create();
  if (!folder || interpreter.empty()) return -1;
  const std::string path = folder->Path() + "~temp-" + std::to_string(GetCurrentProcessId()) + ".bat";
  if (!WriteNewFile(path, WithCrLf(*text))) return -1;
  // Its current folder is the private one too, should the first line fail.
  const int result = RunHidden("\"" + interpreter + "\" /c \"\"" + path + "\"\"", kBatchTimeoutMs, folder->Path());
  DeleteFileW(WidenUtf8(path).c_str());
  return result;
}

}  // namespace velmo
