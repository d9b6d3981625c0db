#include "silent_install.h"

#include "devcon_status.h"
#include "install_commands.h"
#include "network_discovery.h"
#include "rights.h"
#include "text_list.h"

namespace velmo {
namespace {

// The catalogue's spelling of the model asked for without regard to case.
std::optional<std::string> CatalogueSpelling(const std::string& asked, const std::vector<std::string>& models) {
  for (const std::string& model : models) {
    if (SameTextIgnoringCase(model, asked)) return model;
  }
  return std::nullopt;
}

std::string BrandWordOf(const std::string& model) { return model.substr(0, model.find(' ')); }

// The USB printers of `model` that the device console tool reports now;
// nothing when its command line could not be built.
std::optional<TextList> FindUsbPrinters(SilentPeers& peers, const std::string& model) {
  InstallationPeers& installation = peers.Installation();
  TextList found;
  const std::optional<std::string> pattern = UsbSearchPattern(BrandWordOf(model));
  if (!pattern) {
    installation.StepDone("USB search", "", "not run: the search pattern would not fit");
    return found;
  }
  TextList ids, names;
  const int code = DevconStatus(peers.Devcon(), *pattern, ids, names);
  if (code == kDevconNotBuilt) {
    installation.StepDone("USB search", "", "not run: the command line could not be built (a folder unknown or too long)");
    return std::nullopt;
  }
  for (std::size_t i = 0; i < ids.Count(); ++i) {
    if (SameTextIgnoringCase(names[i], model)) found.Add(ids[i]);
  }
  const std::optional<std::string> command =
      DevconCommand(installation.ProgramFolder(), installation.NativeArchitecture(), "status " + *pattern);
  std::string result = std::to_string(found.Count()) + " of " + std::to_string(ids.Count()) + " devices are " + model;
  for (const std::string& id : found.Items()) result += "; " + id;
  if (code != 0) result += " (" + CommandResultText(code) + ")";
  installation.StepDone("USB search", command.value_or(""), result);
  return found;
}

InstallerExit Refuse(InstallationPeers& installation, const std::string& why) {
  installation.StepDone("arguments", "", why);
  return InstallerExit::BadArguments;
}

InstallerExit Install(const SilentArguments& arguments, const SilentLanguage& language, SilentPeers& peers) {
  InstallationPeers& installation = peers.Installation();
  if (const std::optional<std::string> problem = SilentArgumentsProblem(arguments))
    return Refuse(installation, *problem);
  if (const std::optional<InstallerExit> refused =
          RefusalBeforeStart(installation, "installation", PlanRights(true, peers.Elevated()) != RightsPlan::Refuse,
                             [&peers] { return peers.LockInstallation(); }))
    return *refused;
  const std::optional<std::vector<std::string>> models = peers.CatalogueModels();
  if (!models) {
    installation.StepDone("driver package", "", "missing: no driver\\*.inf beside the program");
    return InstallerExit::NoDriverPackage;
  }
  const std::optional<std::string> model = CatalogueSpelling(*arguments.model, *models);
  if (!model) return Refuse(installation, "unknown model \"" + *arguments.model + "\"");

  InstallationRequest request{.usb = arguments.usb, .network = !arguments.usb, .installDriver = language.installDriver,
                              .ipText = arguments.ipText.value_or(""), .modelText = *model, .silent = true};
  if (arguments.noDefault) {
    request.leaveDefaultBecause = "left alone: -nodefault";
  } else if (peers.ServiceAccount()) {
    request.leaveDefaultBecause = "left alone: a service account (such as the system) has no user's default printer";
  }
  if (request.network && NetworkInputProblem(request))
    return Refuse(installation, "the address \"" + request.ipText + "\" is refused");

  for (const std::string& command : language.recordCommands)
    installation.StepDone("language", command, CommandResultText(installation.RunBatch(command)));

  TextList usbIds;
  if (request.network) {
    const std::string address = *CheckedIpv4Address(request.ipText);
    const std::string query =
        "\"" + std::string(kDiscoveryQuery) + "\" to " + address + ":" + std::to_string(kDiscoveryPort);
    const std::uint32_t sent = installation.Ticks();
    const std::optional<AddressAnswer> answer = peers.CheckAddress(address, *models);
    const std::string after = answer ? " after " + std::to_string(installation.Ticks() - sent) + " ms" : "";
    installation.StepDone("address check", query, AddressCheckSummary(address, answer) + after);
  } else {
    const std::optional<TextList> found = FindUsbPrinters(peers, *model);
    if (!found) return InstallerExit::NoQueue;
    usbIds = *found;
    if (usbIds.Count() == 0) return InstallerExit::NoUsbPrinter;
  }

  return ExitFor(InstallPrinter(request, {*models, usbIds}, installation), true);
}

}  // namespace

InstallerExit RunSilentInstallation(const SilentArguments& arguments, const SilentLanguage& language,
                                 SilentPeers& peers) {
  const InstallerExit exit = Install(arguments, language, peers);
  peers.Installation().StepDone("end", "", "exit code " + std::to_string(static_cast<int>(exit)));
  return exit;
}

}  // namespace velmo
