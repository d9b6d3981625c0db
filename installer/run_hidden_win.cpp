#include "run_hidden_win.h"

#include <cstdio>
#include <vector>

#include "batch_file.h"

namespace velmo {
namespace {

constexpr DWORD kBatchTimeoutMs = 5000;

bool WriteTextFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "w");  // text mode: lines end in CR LF
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int RunHidden(const std::string& commandLine, DWORD timeoutMs, const std::string& workingFolder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  // CreateProcessA may write into the command line.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, timeoutMs);
  DWORD code = DWORD(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

int RunBatch(const std::string& commandLine) {
  char folder[256] = {};
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return -1;
  const std::string path = std::string(folder, length) + kBatchFileName;
  if (!WriteTextFile(path, BatchFileText(commandLine))) {
    DeleteFileA(path.c_str());
    return -1;
  }
  const int result = RunHidden(path, kBatchTimeoutMs);
  DeleteFileA(path.c_str());
  return result;
}

}  // namespace velmo
