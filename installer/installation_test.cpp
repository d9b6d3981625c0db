// The installation: every command line exactly, the order of the steps, the
// input checks before anything runs, and the waits for the new queue.
#include <gtest/gtest.h>

#include <set>

#include "elevated_helper.h"
#include "exit_codes.h"
#include "install_commands.h"
#include "installation.h"
#include "install_record.h"
#include "installation_report.h"
#include "recorded_installation_peers.h"
#include "startup_decision.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;

const std::vector<std::string> kModels = {"Velmo LT42", "Velmo LT43"};

class Installation : public ::testing::Test {
 protected:
  InstallationResult Install(const InstallationRequest& request) {
    return InstallPrinter(request, {kModels, usbIds_}, peers_);
  }
  InstallationRequest Network(std::string ip, std::string model = "Velmo LT42", bool driver = false) {
    return {.usb = false, .network = true, .installDriver = driver, .ipText = ip, .modelText = model};
  }
  InstallationRequest Usb() {
    return {.usb = true, .network = false, .installDriver = true, .ipText = "", .modelText = ""};
  }

  RecordedPeers peers_;
  TextList usbIds_;
};

TEST(InstallCommands, TheWorkedExampleWithEveryProgramByItsFullPath) {
  const ToolFolders tools{"C:\\Windows\\Sysnative\\", "C:\\Program Files (x86)\\Velmo Driver\\"};
  EXPECT_EQ(NetworkPortName("192.168.1.50"), "IP_192.168.1.50");
  EXPECT_EQ(NetworkQueueName("Velmo LT42", "192.168.1.50"), "Velmo LT42-192.168.1.50");
  EXPECT_EQ(PortCommand(tools, "IP_192.168.1.50", "192.168.1.50"),
            "\"C:\\Windows\\Sysnative\\cscript.exe\" \"C:\\Program Files (x86)\\Velmo Driver\\prnport.vbs\" -a -r "
            "IP_192.168.1.50 -h 192.168.1.50 -n 9100 -o raw");
  EXPECT_EQ(QueueCommand(tools, "Velmo LT42-192.168.1.50", "IP_192.168.1.50", "Velmo LT42"),
            "\"C:\\Windows\\Sysnative\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"Velmo LT42-192.168.1.50\" "
            "/r \"IP_192.168.1.50\" /m \"Velmo LT42\"");
  EXPECT_EQ(PrintersFolderCommand(tools), "\"C:\\Windows\\Sysnative\\control.exe\" printers");
}

TEST(InstallCommands, AnUnknownFolderBuildsNoCommandThatWouldNameAProgramBare) {
  EXPECT_FALSE(PortCommand({"", "C:\\Velmo\\"}, "IP_1.2.3.4", "1.2.3.4"));
  EXPECT_FALSE(QueueCommand({"C:\\Windows\\System32\\", ""}, "q", "IP_1.2.3.4", "m"));
  EXPECT_FALSE(PrintersFolderCommand({"", "C:\\Velmo\\"}));
  EXPECT_FALSE(DevconCommand("", 9, "status x"));
  EXPECT_FALSE(DevconRescanCommand("", 9));
  EXPECT_FALSE(DevconRestartCommand("", 9, "*class_07*"));
}

TEST(InstallCommands, TheDevconPathIsQuotedAndItsArgumentsFollowUnchanged) {
  const std::string folder = "C:\\Program Files (x86)\\Velmo Driver\\";
  EXPECT_EQ(DevconCommand(folder, 9, "status USBPRINT\\VELMO*"),
            "\"C:\\Program Files (x86)\\Velmo Driver\\devcon_x64.exe\" status USBPRINT\\VELMO*");
  EXPECT_EQ(DevconRescanCommand(folder, 9), "\"C:\\Program Files (x86)\\Velmo Driver\\\\devcon_x64.exe\" rescan");
  EXPECT_EQ(DevconRestartCommand(folder, 0, "*class_07*"),
            "\"C:\\Program Files (x86)\\Velmo Driver\\\\devcon_x32.exe\" restart *class_07*");
  EXPECT_EQ(DevconRescanCommand("C:\\Velmo\\", 9), "\"C:\\Velmo\\\\devcon_x64.exe\" rescan") << "quoted without a blank too";
}

TEST(InstallCommands, X64ToolsOnX64AndItaniumOnly) {
  EXPECT_EQ(DevconToolName(9), "devcon_x64.exe");
  EXPECT_EQ(DevconToolName(6), "devcon_x64.exe");
  EXPECT_EQ(DevconToolName(0), "devcon_x32.exe");
  EXPECT_EQ(DevconToolName(12), "devcon_x32.exe") << "ARM64";
}

TEST(InstallCommands, ACommandLineOverItsLimitIsNotBuilt) {
  const ToolFolders tools{"S\\", "P\\"};
  const std::string fixed = "\"S\\cscript.exe\" \"P\\prnport.vbs\" -a -r IP_ -h  -n 9100 -o raw";
  const std::size_t room = kMaxCommandLength - fixed.size();  // the IP text appears twice
  const std::string fits(room / 2, '1');
  EXPECT_EQ(PortCommand(tools, NetworkPortName(fits), fits)->size(), kMaxCommandLength - room % 2);
  const std::string over(room / 2 + 1, '1');
  EXPECT_FALSE(PortCommand(tools, NetworkPortName(over), over));
  // The quotes count: 1 + folder + 1 + 14 + 1 + 7 characters (" rescan").
  const std::size_t folder = kMaxCommandLength - 24;
  EXPECT_EQ(DevconRescanCommand(std::string(folder, 'f'), 9)->size(), kMaxCommandLength);
  EXPECT_FALSE(DevconRescanCommand(std::string(folder + 1, 'f'), 9));
}

TEST_F(Installation, NetworkPrinterInFullMode) {
  peers_.queuesAfterInstall = {{"Velmo LT42-192.168.1.50", "IP_192.168.1.50", "velmo lt42", 0}};
  EXPECT_EQ(Install(Network("192.168.1.50", "Velmo LT42", true)).outcome, InstallationOutcome::Finished);
  EXPECT_EQ(peers_.steps,
            (Texts{"runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\",
                   "hidden 5000 in C:\\Program Files\\Velmo\\ \"C:\\Windows\\System32\\cscript.exe\" \"C:\\Program Files\\Velmo\\prnport.vbs\" -a -r IP_192.168.1.50 -h "
                   "192.168.1.50 -n 9100 -o raw",
                   "hidden 5000 \"C:\\Windows\\System32\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"Velmo LT42-192.168.1.50\" /r "
                   "\"IP_192.168.1.50\" /m \"Velmo LT42\"",
                   "pause 1000", "default Velmo LT42-192.168.1.50", "start \"C:\\Windows\\System32\\control.exe\" printers",
                   "start \"C:\\Windows\\System32\\control.exe\" printers"}))
      << "the queue's driver name matches its model whatever the case; the folder opens twice";
  const InstallationResult result = InstallPrinter(Network("192.168.1.50", "Velmo LT42", true), {kModels, usbIds_},
                                                   peers_);
  EXPECT_TRUE(result.Installed());
  EXPECT_FALSE(result.failedStep);
  EXPECT_EQ(ExitFor(result, false), InstallerExit::Installed);
}

TEST_F(Installation, BlanksAroundTheAddressAreTrimmedBeforeItIsUsed) {
  EXPECT_EQ(Install(Network(" 192.168.1.50\t")).failedStep, InstallationStep::QueueWait);
  ASSERT_GE(peers_.steps.size(), 2u);
  EXPECT_EQ(peers_.steps[0],
            "hidden 5000 in C:\\Program Files\\Velmo\\ \"C:\\Windows\\System32\\cscript.exe\" \"C:\\Program Files\\Velmo\\prnport.vbs\" -a -r IP_192.168.1.50 -h 192.168.1.50 -n "
            "9100 -o raw")
      << "the port script is looked up in the program's folder";
  EXPECT_EQ(peers_.steps[1],
            "hidden 5000 \"C:\\Windows\\System32\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"Velmo LT42-192.168.1.50\" /r "
            "\"IP_192.168.1.50\" /m \"Velmo LT42\"");
  EXPECT_EQ(peers_.steps.back(), "start \"C:\\Windows\\System32\\control.exe\" printers") << "the wait ran out; the folder still opens";
  EXPECT_EQ(peers_.steps.size(), 3u) << "network-only mode runs no driver setup";
}

TEST_F(Installation, MissingOrUnsafeFieldsStopBeforeAnythingRuns) {
  const auto outcome = [&](std::string ip, std::string model) { return Install(Network(ip, model, true)).outcome; };
  EXPECT_EQ(outcome(" \t", "Velmo LT42"), InstallationOutcome::FocusAddress);
  EXPECT_EQ(outcome("10.0.0.5", ""), InstallationOutcome::FocusModel);
  EXPECT_EQ(outcome("", ""), InstallationOutcome::FocusAddress) << "the address is checked first";
  EXPECT_EQ(outcome("10.0.0.5\" /r \"LPT1:", "Velmo LT42"), InstallationOutcome::FocusAddress);
  EXPECT_EQ(outcome("10.0.0.5", "Velmo \"LT42\""), InstallationOutcome::FocusModel);
  EXPECT_TRUE(peers_.steps.empty());
}

TEST_F(Installation, AnAddressThatIsNoDottedIpv4TakesTheFocusAndNothingRuns) {
  for (const char* bad : {"192.168.001.050", "192.168.1.256", "192.168.1", "192.168.1.", "192.168.1.50 -o lpr"})
    EXPECT_EQ(Install(Network(bad, "Velmo LT42", true)).outcome, InstallationOutcome::FocusAddress) << bad;
  EXPECT_TRUE(peers_.steps.empty());
}

TEST_F(Installation, UsbPrinterWithTheDriverSetupAndTheNewQueueAsDefault) {
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001");
  peers_.queuesAfterInstall = {{"Office", "USB001", "Other Driver", 0},             // not this package's
                               {"Velmo LT42 (net)", "IP_1.2.3.4", "Velmo LT42", 0},  // other port
                               {"Velmo LT42", "USB001", "Velmo LT42", 0},
                               {"Velmo LT42 (Copy 1)", "USB001", "Velmo LT42", 0}};
  EXPECT_TRUE(Install(Usb()).Installed());
  EXPECT_EQ(peers_.steps, (Texts{"runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\",
                                 "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x64.exe\" rescan", "pause 2000",
                                 "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x64.exe\" restart *class_07*",
                                 "pause 1000", "default Velmo LT42", "start \"C:\\Windows\\System32\\control.exe\" printers"}));
}

TEST_F(Installation, AUsbQueueThatNeverComesEndsTheWaitAndNamesIt) {
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001");
  peers_.architecture = 0;
  peers_.queuesAfterInstall = {{"Any", "", "Velmo LT42", 0}};
  const InstallationResult result = Install(Usb());
  EXPECT_EQ(result.outcome, InstallationOutcome::Finished);
  EXPECT_FALSE(result.queueAppeared);
  EXPECT_EQ(result.failedStep, InstallationStep::QueueWait) << "every command ended well";
  EXPECT_EQ(ExitFor(result, false), InstallerExit::NotInstalled);
  EXPECT_EQ(peers_.steps.back(), "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x32.exe\" restart *class_07*")
      << "no default printer and no printers folder";
  EXPECT_GT(peers_.listings, 20) << "the spooler is asked until the 3000 ms are up, across the tick wrap";
  EXPECT_LT(peers_.listings, 31);
}

TEST_F(Installation, AnInstalledQueueIsRecordedForDetectionAndOnlyThen) {
  peers_.queuesAfterInstall = {{"Velmo LT42-10.0.0.5", "IP_10.0.0.5", "Velmo LT42", 0}};
  EXPECT_TRUE(Install(Network("10.0.0.5", "Velmo LT42")).Installed());
  EXPECT_EQ(peers_.records, Texts{"SOFTWARE\\DARVOLT\\Printer\\Installed\\Velmo LT42-10.0.0.5|Velmo LT42|IP_10.0.0.5|10.0.0.5"});
  peers_.records.clear();
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001");
  peers_.queuesAfterInstall = {{"Velmo LT42", "USB001", "Velmo LT42", 0}};
  EXPECT_TRUE(Install(Usb()).Installed());
  EXPECT_EQ(peers_.records, Texts{"SOFTWARE\\DARVOLT\\Printer\\Installed\\Velmo LT42|Velmo LT42|USB001|USB"});
  peers_.records.clear();
  peers_.queues.clear();
  peers_.queuesAfterInstall = {{"Velmo\\LT42", "USB001", "Velmo LT42", 0}};
  EXPECT_TRUE(Install(Usb()).Installed());
  EXPECT_TRUE(peers_.records.empty()) << "a backslash would name another key";
  peers_.queues.clear();
  peers_.queuesAfterInstall.clear();
  EXPECT_FALSE(Install(Usb()).Installed());
  EXPECT_TRUE(peers_.records.empty());
}

TEST_F(Installation, AQueueSetToWorkOfflineCountsAsAppeared) {
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001");
  peers_.queuesAfterInstall = {{"Velmo LT42", "USB001", "Velmo LT42", kQueueWorkOffline}};
  EXPECT_TRUE(Install(Usb()).Installed());
  peers_.queuesAfterInstall = {{"Velmo LT42-10.0.0.5", "IP_10.0.0.5", "Velmo LT42", kQueueWorkOffline}};
  EXPECT_TRUE(Install(Network("10.0.0.5", "Velmo LT42", true)).Installed());
}

TEST_F(Installation, RefusedElevationEndsBeforeAnyCommand) {
  peers_.elevationGranted = false;
  for (const InstallationRequest& request : {Usb(), Network("10.0.0.5", "Velmo LT42", true)}) {
    const InstallationResult result = Install(request);
    EXPECT_EQ(result.outcome, InstallationOutcome::Finished);
    EXPECT_EQ(result.failedStep, InstallationStep::DriverSetup);
  }
  EXPECT_EQ(peers_.steps,
            (Texts{"runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\", "runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\"}));
}

TEST_F(Installation, TheFirstFailedStepIsNamedOnlyWhenNoQueueAppears) {
  const InstallationRequest network = Network("10.0.0.5", "Velmo LT42", true);
  peers_.exitCodes = {{"prnport.vbs", 1}, {"rundll32", -1}};
  EXPECT_EQ(Install(network).failedStep, InstallationStep::PortCommand) << "the queue command still ran";
  EXPECT_EQ(peers_.steps.size(), 4u);
  peers_.exitCodes = {{"rundll32", 259}};
  EXPECT_EQ(Install(network).failedStep, InstallationStep::QueueCommand) << "still running after its time";
  peers_.exitCodes = {};
  peers_.setupExitCode = 2;
  EXPECT_EQ(Install(network).failedStep, InstallationStep::DriverSetup) << "the sequence went on after it";
  EXPECT_EQ(peers_.steps.back(), "start \"C:\\Windows\\System32\\control.exe\" printers");

  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2&0&USB001");
  peers_.setupExitCode = 0;
  peers_.exitCodes = {{"rescan", 2}};
  EXPECT_EQ(Install(Usb()).failedStep, InstallationStep::DevconRescan);
  peers_.exitCodes = {{"restart", 3}};
  EXPECT_EQ(Install(Usb()).failedStep, InstallationStep::DevconRestart);

  peers_.queuesAfterInstall = {{"Velmo LT42", "USB001", "Velmo LT42", 0}};
  const InstallationResult installed = Install(Usb());
  EXPECT_TRUE(installed.Installed()) << "a failed step whose queue appeared anyway";
  EXPECT_FALSE(installed.failedStep);
  EXPECT_EQ(ExitFor(installed, false), InstallerExit::Installed);
}

TEST(NotInstalledMessage, SaysTheStepInTheProgramsLanguage) {
  std::set<std::wstring> texts;
  for (InstallationStep step : {InstallationStep::DriverSetup, InstallationStep::DevconRescan,
                                InstallationStep::DevconRestart, InstallationStep::PortCommand,
                                InstallationStep::QueueCommand, InstallationStep::QueueWait,
                                InstallationStep::Elevation}) {
    const NotInstalledMessage english = NotInstalledMessageFor(step, true);
    const NotInstalledMessage chinese = NotInstalledMessageFor(step, false);
    EXPECT_TRUE(english.text.starts_with(L"The printer was not installed: ")) << english.text;
    EXPECT_TRUE(chinese.text.starts_with(L"打印机没有安装：")) << int(step);
    EXPECT_EQ(english.title, L"InstallPrinter");
    EXPECT_EQ(chinese.title, L"安装打印机");
    texts.insert(english.text);
    texts.insert(chinese.text);
  }
  EXPECT_EQ(texts.size(), 14u) << "each step says something of its own";
  EXPECT_EQ(NotInstalledMessageFor(InstallationStep::PortCommand, true).text,
            L"The printer was not installed: creating the printer port failed.");
  EXPECT_EQ(NotInstalledMessageFor(InstallationStep::Elevation, true).text,
            L"The printer was not installed: administrator rights were refused.");
  EXPECT_EQ(NotInstalledMessageFor(InstallationStep::Elevation, false).text, L"打印机没有安装：未获得管理员权限。");
}

TEST_F(Installation, TheNetworkWaitWantsTheExactQueueName) {
  peers_.queuesAfterInstall = {{"velmo lt42-10.0.0.5", "IP_10.0.0.5", "Velmo LT42", 0}};
  Install(Network("10.0.0.5"));
  EXPECT_EQ(peers_.steps.size(), 3u) << "a name in other case is not the new queue";
}

TEST_F(Installation, ASpoolerWithoutMemoryEndsTheWaitAtOnce) {
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2&USB001");
  peers_.spoolerAnswers = false;
  WaitForUsbQueue(peers_, {kModels, usbIds_}, kQueueWaitMs);
  EXPECT_EQ(peers_.listings, 1);
  EXPECT_TRUE(peers_.steps.empty());
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

TEST(ElevatedHelper, ThePlanCarriesTheRequestAndIsCheckedAgainOnItsWayIn) {
  InstallationRequest network{.usb = false, .network = true, .installDriver = true, .ipText = " 10.0.0.5",
                              .modelText = "Velmo LT42"};
  network.recordCommands = {*LanguageRecordCommand("english")};
  TextList usbIds;
  usbIds.Add("USBPRINT\\VELMOLT42\\7&2&USB001");
  const std::optional<std::string> text = PlanText(network, {kModels, usbIds});
  ASSERT_TRUE(text);
  const std::optional<HelperPlan> back = ParsePlan(*text);
  ASSERT_TRUE(back);
  EXPECT_EQ(PlanText(back->request, back->Known()), text);
  EXPECT_EQ(back->request.recordCommands, network.recordCommands);
  EXPECT_TRUE(back->request.installDriver);
  EXPECT_EQ(back->catalogueModels, kModels) << "the helper's queue wait singles out the same queues";
  EXPECT_EQ(back->usbDeviceIds.Items(), usbIds.Items());

  EXPECT_FALSE(ParsePlan(text->substr(0, text->size() - 6))) << "cut short";
  EXPECT_FALSE(ParsePlan("usb=1\nnetwork=1\ndriver=0\nip=\nmodel=\nend=1\n")) << "both choices";
  EXPECT_FALSE(ParsePlan("usb=0\nnetwork=1\ndriver=0\nip=10.0.0.5 -o lpr\nmodel=Velmo LT42\nend=1\n"))
      << "an address the window refuses";
  EXPECT_FALSE(ParsePlan("usb=1\nnetwork=0\ndriver=0\nip=\nmodel=\nrecord=cmd /c del *\nend=1\n"))
      << "only language records run with the helper's rights";
  InstallationRequest broken = network;
  broken.modelText = "Velmo\nLT42";
  EXPECT_FALSE(PlanText(broken, {kModels, usbIds}));
}

TEST(ElevatedHelper, TheCopysArgumentsAreQuotedOnlyWhereNeeded) {
  EXPECT_EQ(CommandLineOf({"-uninstall", "-queue:Velmo LT42-10.0.0.5", "-silent"}),
            "-uninstall \"-queue:Velmo LT42-10.0.0.5\" -silent");
  EXPECT_EQ(CommandLineOf({"-log:C:\\my logs\\"}), "\"-log:C:\\my logs\\\\\"") << "the closing quote stays one";
  EXPECT_EQ(CommandLineOf({"a\\\"b"}), "\"a\\\\\\\"b\"");
  EXPECT_EQ(CommandLineOf({"", "C:\\x\\"}), "\"\" C:\\x\\") << "backslashes count only before a quote";
}

TEST(ElevatedHelper, TheOutcomeComesBackWhole) {
  for (const CommandsOutcome& outcome :
       {CommandsOutcome{}, CommandsOutcome{false, InstallationStep::DriverSetup, false},
        CommandsOutcome{true, InstallationStep::DevconRestart, true},
        CommandsOutcome{true, std::nullopt, false, PrinterQueue{"Velmo LT42-10.0.0.5", "IP_10.0.0.5", "Velmo LT42"}}}) {
    const std::optional<std::string> text = OutcomeText(outcome);
    ASSERT_TRUE(text);
    const std::optional<CommandsOutcome> back = ParseOutcome(*text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->goOn, outcome.goOn);
    EXPECT_EQ(back->failedStep, outcome.failedStep);
    EXPECT_EQ(back->restartNeeded, outcome.restartNeeded);
    EXPECT_EQ(back->queue.has_value(), outcome.queue.has_value());
    if (back->queue) {
      EXPECT_EQ(back->queue->printerName, outcome.queue->printerName);
      EXPECT_EQ(back->queue->portName, outcome.queue->portName);
      EXPECT_EQ(back->queue->driverName, outcome.queue->driverName);
    }
  }
  EXPECT_FALSE(OutcomeText({true, std::nullopt, false, PrinterQueue{"a\nb", "IP_1", "m"}}));
  EXPECT_FALSE(ParseOutcome("go-on=1\nfailed=\nrestart=0\nqueue=a\nport=b\nmodel=c\n"));
  EXPECT_FALSE(ParseOutcome("go-on=1\nfailed=99\nrestart=0\n"));
  EXPECT_FALSE(ParseOutcome("go-on=1\n"));
  EXPECT_FALSE(ParseOutcome(""));
}

// The window's peers without rights: the commands go to a helper, here one
// that refuses or runs them as the elevated copy would.
class HelperPeers : public RecordedPeers {
 public:
  CommandsOutcome RunAdministratorSteps(const InstallationRequest& request, const InstalledPrinters& known) override {
    steps.push_back("helper " + PlanText(request, known).value_or("?"));
    if (!granted) return {false, InstallationStep::Elevation};
    RecordedPeers elevated;
    elevated.queuesAfterInstall = queuesAfterInstall;
    const std::optional<HelperPlan> plan = ParsePlan(*PlanText(request, known));
    const CommandsOutcome outcome = velmo::RunAdministratorSteps(plan->request, plan->Known(), elevated);
    queues = elevated.queues;
    for (const std::string& step : elevated.steps) steps.push_back("  " + step);
    helperRecords = elevated.records;
    return *ParseOutcome(*OutcomeText(outcome));
  }
  bool granted = true;
  std::vector<std::string> helperRecords;
};

TEST(ElevatedHelper, OnePromptRunsEveryAdministratorStepInOrderAndARefusalIsSaidSo) {
  HelperPeers peers;
  TextList noUsb;
  InstallationRequest network{.usb = false, .network = true, .installDriver = true, .ipText = "10.0.0.5",
                              .modelText = "Velmo LT42"};
  network.recordCommands = {*LanguageRecordCommand("english")};
  peers.queuesAfterInstall = {{"Velmo LT42-10.0.0.5", "IP_10.0.0.5", "Velmo LT42", 0}};
  EXPECT_TRUE(InstallPrinter(network, {kModels, noUsb}, peers).Installed());
  ASSERT_GE(peers.steps.size(), 5u);
  EXPECT_EQ(peers.steps[0].rfind("helper ", 0), 0u);
  EXPECT_EQ(peers.steps[1], "  batch " + network.recordCommands[0]) << "the language first";
  EXPECT_EQ(peers.steps[2].rfind("  runas ", 0), 0u);
  EXPECT_NE(peers.steps[3].find("cscript.exe"), std::string::npos);
  EXPECT_NE(peers.steps[4].find("rundll32.exe"), std::string::npos);
  EXPECT_EQ(peers.steps[5], "pause 1000") << "the default printer stays with the user's run";
  EXPECT_EQ(peers.steps[6], "default Velmo LT42-10.0.0.5");
  EXPECT_TRUE(peers.records.empty()) << "the user's run cannot write under HKEY_LOCAL_MACHINE";
  EXPECT_EQ(peers.helperRecords,
            std::vector<std::string>{std::string(kInstalledKey) + "\\Velmo LT42-10.0.0.5|Velmo LT42|IP_10.0.0.5|10.0.0.5"});

  HelperPeers refusing;
  refusing.granted = false;
  const InstallationResult refused = InstallPrinter(network, {kModels, noUsb}, refusing);
  EXPECT_EQ(refused.failedStep, InstallationStep::Elevation);
  EXPECT_EQ(ExitFor(refused, false), InstallerExit::NeedsAdministrator);
  EXPECT_EQ(refusing.steps.size(), 1u) << "no wait, no printers folder";
}

}  // namespace
}  // namespace velmo
