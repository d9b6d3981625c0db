#include "elevated_helper_win.h"

#include <windows.h>
#include <shellapi.h>

#include "elevated_helper.h"
#include "private_folder_win.h"
#include "text_win.h"

namespace velmo {
namespace {

constexpr std::size_t kMaxFileBytes = 64 * 1024;

std::wstring ThisProgram() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

const CommandsOutcome kNoRights{false, InstallationStep::Elevation};

}  // namespace

ElevatedRun RunThisProgramElevated(const std::string& parameters) {
  const std::wstring program = ThisProgram();
  const std::wstring wide = WidenUtf8(parameters);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS;
  execute.lpVerb = L"runas";
  execute.lpFile = program.c_str();
  execute.lpParameters = wide.c_str();
  execute.nShow = SW_HIDE;
  ElevatedRun run;
  run.program = NarrowToUtf8(program);
  if (!ShellExecuteExW(&execute) || !execute.hProcess) {
    run.refused = GetLastError() == ERROR_CANCELLED;
    return run;
  }
  WaitForSingleObject(execute.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(execute.hProcess, &code)) run.exitCode = int(code);
  CloseHandle(execute.hProcess);
  return run;
}

CommandsOutcome ElevatingInstallationPeers::RunAdministratorSteps(const InstallationRequest& request,
                                                                  const InstalledPrinters& known) {
  const std::optional<std::string> plan = PlanText(request, known);
  std::optional<PrivateFolder> folder = PrivateFolder::Create();
  if (!plan || !folder || !WriteNewFile(folder->Path() + kPlanFileName, *plan)) {
    StepDone("elevated helper", "", "the plan could not be written");
    return kNoRights;
  }
  const ElevatedRun run = RunThisProgramElevated(
      CommandLineOf({std::string(kElevatedHelperPrefix) + folder->Path()}));
  if (!run.exitCode) {
    StepDone("elevated helper", run.program, run.refused ? "the elevation was refused" : "could not start");
    return kNoRights;
  }
  const std::optional<std::string> text = ReadWholeFile(folder->Path() + kOutcomeFileName, kMaxFileBytes);
  const std::optional<CommandsOutcome> outcome = text ? ParseOutcome(*text) : std::nullopt;
  StepDone("elevated helper", run.program, outcome ? "done" : "ended without an outcome");
  return outcome.value_or(kNoRights);
}

int RunElevatedHelper(const std::string& folder) {
  const std::optional<std::string> text = ReadWholeFile(folder + kPlanFileName, kMaxFileBytes);
  const std::optional<HelperPlan> plan = text ? ParsePlan(*text) : std::nullopt;
  if (!plan) return 2;
  WindowsInstallationPeers peers;
  const std::optional<std::string> outcome = OutcomeText(RunAdministratorSteps(plan->request, plan->Known(), peers));
  return outcome && WriteNewFile(folder + kOutcomeFileName, *outcome) ? 0 : 1;
}

}  // namespace velmo
