#pragma once
// Installation peers for tests: every outside step is recorded as a line of
// text, the spooler's queues appear once the queue or restart command has
// run, and time passes only in pauses and queue listings.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "install_commands.h"
#include "installation.h"

namespace velmo {

inline constexpr char kRecordedProgramFolder[] = "C:\\Program Files\\Velmo\\";
inline constexpr char kRecordedSystemFolder[] = "C:\\Windows\\System32\\";

class RecordedPeers : public InstallationPeers {
 public:
  std::string ProgramFolder() override { return kRecordedProgramFolder; }
  std::string SystemToolsFolder() override { return kRecordedSystemFolder; }
  int NativeArchitecture() override { return architecture; }
  int RunElevated(const std::string& file, const std::string& folder, std::optional<unsigned> limitMs) override {
    steps.push_back("runas " + file + " in " + folder + (limitMs ? " for " + std::to_string(*limitMs) : ""));
    return elevationGranted ? setupExitCode : -1;
  }
  int RunHidden(const std::string& commandLine, unsigned timeoutMs, const std::string& workingFolder) override {
    steps.push_back("hidden " + std::to_string(timeoutMs) + (workingFolder.empty() ? "" : " in " + workingFolder) +
                    " " + commandLine);
    if (commandLine.find("rundll32.exe\" ") != std::string::npos || commandLine.find("restart") != std::string::npos)
      queues = queuesAfterInstall;
    for (const auto& [part, code] : exitCodes) {
      if (commandLine.find(part) != std::string::npos) return code;
    }
    return 0;
  }
  int RunBatch(const std::string& commandLine) override {
    steps.push_back("batch " + commandLine);
    return 0;
  }
  void Start(const std::string& commandLine) override { steps.push_back("start " + commandLine); }
  std::optional<std::vector<PrinterQueue>> LocalQueues() override {
    ++listings;
    now += 7;
    if (!spoolerAnswers) return std::nullopt;
    return queues;
  }
  void MakeDefaultPrinter(const std::string& printerName) override { steps.push_back("default " + printerName); }
  bool RecordInstallation(const std::string& key, const std::string& model, const std::string& port,
                          const std::string& address) override {
    records.push_back(key + "|" + model + "|" + port + "|" + address);
    return true;
  }
  std::uint32_t Ticks() override { return now; }
  void StepDone(std::string_view step, std::string_view command, std::string_view result) override {
    log.push_back(std::string(step) + "|" + std::string(command) + "|" + std::string(result));
  }
  void Pause(unsigned ms) override {
    if (ms != 100) steps.push_back("pause " + std::to_string(ms));
    now += ms;
  }

  int architecture = kArchitectureX64;
  bool elevationGranted = true;
  int setupExitCode = 0;
  // The exit code of each command that holds the text (0 for the others).
  std::vector<std::pair<std::string, int>> exitCodes;
  bool spoolerAnswers = true;
  std::vector<PrinterQueue> queues, queuesAfterInstall;
  std::uint32_t now = 0xFFFFF000u;  // the tick count wraps during the wait
  int listings = 0;
  std::vector<std::string> steps;  // pauses of 100 ms (polling) are left out
  std::vector<std::string> log;    // "step|command|result" of every step told
  std::vector<std::string> records;  // "key|model|port|address" of every install record
};

}  // namespace velmo
