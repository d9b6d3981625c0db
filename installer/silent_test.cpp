// Silent installation: its arguments, its log lines, the address check and
// the whole run with every exit code, against recorded peers.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "address_check.h"
#include "exit_codes.h"
#include "recorded_installation_peers.h"
#include "rights.h"
#include "silent_arguments.h"
#include "silent_install.h"
#include "silent_log.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;
const std::string kProgram = "C:\\Velmo\\Qindle.exe";
const Texts kModels = {"Velmo LT42", "Velmo LT43"};

TEST(SilentArguments, AnyOrderQuotesRemovedAndTheLastOfRepeatedOnesWins) {
  const SilentArguments a = ReadSilentArguments(
      {kProgram, "-ip:10.0.0.1", "\"-model:velmo lt43\"", "-language:english", "-silent", "-ip:10.0.0.2",
       "\"-log:C:\\Logs\\q.log\"", "-model:Velmo LT42"});
  EXPECT_TRUE(a.silent);
  EXPECT_EQ(a.model, "Velmo LT42");
  EXPECT_EQ(a.ipText, "10.0.0.2");
  EXPECT_FALSE(a.usb);
  EXPECT_EQ(a.logPath, "C:\\Logs\\q.log");
  EXPECT_EQ(SilentArgumentsProblem(a), std::nullopt);

  const SilentArguments b = ReadSilentArguments({kProgram, "-usb", "-model:\"Velmo LT42\"\"", "\"-silent\""});
  EXPECT_TRUE(b.silent && b.usb);
  EXPECT_EQ(b.model, "\"Velmo LT42\"") << "one leading and one trailing quote of the whole argument go";
}

TEST(SilentArguments, SwitchesAreExactCaseAndWhole) {
  const SilentArguments a =
      ReadSilentArguments({kProgram, "-SILENT", "-Silent", "-silently", "-USB", "-usb2", "-Model:X", "-IP:1.2.3.4",
                           "-LOG:x", "/silent"});
  EXPECT_FALSE(a.silent);
  EXPECT_FALSE(a.usb);
  EXPECT_FALSE(a.model || a.ipText || a.logPath);
  EXPECT_FALSE(ReadSilentArguments({kProgram}).silent) << "no arguments: the window, as before";
}

TEST(SilentArguments, ProblemsFoundBeforeTheCatalogueIsRead) {
  const auto problem = [](Texts arguments) {
    arguments.insert(arguments.begin(), kProgram);
    return SilentArgumentsProblem(ReadSilentArguments(arguments));
  };
  EXPECT_TRUE(problem({"-silent", "-ip:10.0.0.1"})) << "no model";
  EXPECT_TRUE(problem({"-silent", "-model: \t", "-usb"})) << "a blank model";
  EXPECT_TRUE(problem({"-silent", "-model:Velmo LT42"})) << "neither -ip: nor -usb";
  EXPECT_TRUE(problem({"-silent", "-model:Velmo LT42", "-usb", "-ip:10.0.0.1"})) << "both";
  EXPECT_TRUE(problem({"-silent", "-model:Velmo LT42", "-usb", "-log:"})) << "a log that names no file";
  EXPECT_FALSE(problem({"-silent", "-model:Velmo LT42", "-ip:"})) << "an empty address is the address check's";
  EXPECT_FALSE(problem({"-silent", "-model:Velmo LT42", "-usb"}));
}

TEST(SilentLog, OneTabSeparatedLinePerStepWithThePaddedLocalTimeAndTheProcess) {
  EXPECT_EQ(SilentLogLine({2026, 3, 9, 7, 5, 4, 31}, 4242, "port", "cscript prnport.vbs -a", "exit code 0"),
            "2026-03-09 07:05:04.031\t4242\tport\tcscript prnport.vbs -a\texit code 0\n");
  EXPECT_EQ(SilentLogLine({2026, 12, 31, 23, 59, 59, 999}, 7, "arguments", "", "unknown model \"a\tb\r\nc\""),
            "2026-12-31 23:59:59.999\t7\targuments\t\tunknown model \"a b  c\"\n")
      << "a value with tabs or line breaks cannot add fields or lines";
  Texts lines;
  const SilentLog log([] { return LocalTime{2026, 1, 2, 3, 4, 5, 6}; }, 12,
                      [&](const std::string& line) { lines.push_back(line); });
  log.Write("end", "", "exit code 0");
  EXPECT_EQ(lines, Texts{"2026-01-02 03:04:05.006\t12\tend\t\texit code 0\n"});
}

// A log that opens only at the paths in `writable`, recording each try.
struct Opener {
  Texts writable, tried;
  LogOpener Function() {
    return [this](const std::string& path) {
      tried.push_back(path);
      return std::ranges::find(writable, path) != writable.end();
    };
  }
};

TEST(SilentLog, AnUnwritableNamedLogFallsBackToTheTemporaryFoldersAndSaysSo) {
  Opener disk{{"C:\\Temp\\Qindle.log"}, {}};
  const LogDestination fallback = ChooseLog("X:\\gone\\install.log", "C:\\Temp\\Qindle.log", disk.Function());
  EXPECT_EQ(fallback.path, "C:\\Temp\\Qindle.log");
  EXPECT_EQ(fallback.note, "the log \"X:\\gone\\install.log\" cannot be written; this one is used instead");
  EXPECT_EQ(disk.tried, (Texts{"X:\\gone\\install.log", "C:\\Temp\\Qindle.log"}));

  disk.writable.push_back("D:\\logs\\q.log");
  const LogDestination named = ChooseLog("D:\\logs\\q.log", "C:\\Temp\\Qindle.log", disk.Function());
  EXPECT_EQ(named.path, "D:\\logs\\q.log");
  EXPECT_EQ(named.note, "");

  const LogDestination unnamed = ChooseLog(std::nullopt, "C:\\Temp\\Qindle.log", disk.Function());
  EXPECT_EQ(unnamed.path, "C:\\Temp\\Qindle.log");
  EXPECT_EQ(unnamed.note, "") << "the temporary folder's log is the one asked for";

  Opener nothing;
  EXPECT_FALSE(ChooseLog("X:\\a.log", "C:\\Temp\\Qindle.log", nothing.Function()).path);
  EXPECT_FALSE(ChooseLog("X:\\a.log", "", nothing.Function()).path) << "no temporary folder";
  EXPECT_EQ(nothing.tried, (Texts{"X:\\a.log", "C:\\Temp\\Qindle.log", "X:\\a.log"}));
}

TEST(AddressCheck, TheFirstReplyFromTheAddressIsTheAnswerWhateverAddressItReports) {
  AddressCheck check("10.231.0.2");
  EXPECT_FALSE(check.Offer("10.231.0.9", "IP:10.231.0.9;DEVICENAME:LT42;", kModels))
      << "another printer answering a broadcast";
  EXPECT_FALSE(check.Offer("10.231.0.9", "IP:10.231.0.2;DEVICENAME:LT42;", kModels))
      << "another printer that claims the address";
  EXPECT_FALSE(check.Offer("10.231.0.2", "garbage", kModels));
  EXPECT_FALSE(check.Answer());
  EXPECT_EQ(AddressCheckSummary("10.231.0.2", check.Answer()), "nothing answered at 10.231.0.2 within 1000 ms");
  EXPECT_TRUE(check.Offer("10.231.0.2", "DEVICENAME:lt43;IP:10.231.0.2", kModels));
  EXPECT_FALSE(check.Offer("10.231.0.2", "IP:10.231.0.2;DEVICENAME:LT42", kModels)) << "only the first answer counts";
  ASSERT_TRUE(check.Answer());
  EXPECT_EQ(check.Answer()->model, "Velmo LT43");
  EXPECT_EQ(AddressCheckSummary("10.231.0.2", check.Answer()), "Velmo LT43 answered at 10.231.0.2");

  AddressCheck translated("10.77.0.2");
  EXPECT_TRUE(translated.Offer("10.77.0.2", "IP:192.168.1.50;DEVICENAME:LT42;", kModels))
      << "reached through address translation, or with a stale setting";
  EXPECT_EQ(translated.Answer()->model, "Velmo LT42") << "the model is still selected";
  EXPECT_EQ(AddressCheckSummary("10.77.0.2", translated.Answer()),
            "Velmo LT42 answered at 10.77.0.2; it reports 192.168.1.50");

  AddressCheck foreign("10.0.0.5");
  EXPECT_TRUE(foreign.Offer("10.0.0.5", "IP:10.0.0.5;DEVICENAME:ZX9", kModels));
  EXPECT_FALSE(foreign.Answer()->model);
  EXPECT_EQ(AddressCheckSummary("10.0.0.5", foreign.Answer()),
            "\"ZX9\" answered at 10.0.0.5, a model this driver package does not hold");
}

// The silent run against recorded installation peers and a scripted
// catalogue, device console tool and address check.
class SilentRun : public ::testing::Test, public SilentPeers {
 protected:
  InstallationPeers& Installation() override { return installation_; }
  std::optional<std::vector<std::string>> CatalogueModels() override { return catalogue_; }
  std::optional<AddressAnswer> CheckAddress(const std::string& address, const std::vector<std::string>&) override {
    installation_.steps.push_back("check " + address);
    return answer_;
  }
  const DevconRunner& Devcon() override { return devcon_; }
  bool Elevated() override { return elevated_; }
  bool ServiceAccount() override { return serviceAccount_; }
  bool LockInstallation() override {
    installation_.steps.push_back("lock");
    return lockFree_;
  }

  int Run(Texts arguments, bool language = false) {
    arguments.insert(arguments.begin(), kProgram);
    SilentLanguage silentLanguage{language, {}};
    if (language) silentLanguage.recordCommands = {"reg add english"};
    return static_cast<int>(RunSilentInstallation(ReadSilentArguments(arguments), silentLanguage, *this));
  }

  RecordedPeers installation_;
  std::optional<std::vector<std::string>> catalogue_ = kModels;
  std::optional<AddressAnswer> answer_;
  bool elevated_ = true, serviceAccount_ = false, lockFree_ = true;
  std::map<std::string, std::string> devconOutputs_;
  int devconCode_ = 0;
  DevconRunner devcon_ = [this](const std::string& arguments, std::string& output) {
    installation_.steps.push_back("devcon " + arguments);
    output = devconOutputs_[arguments];
    return devconCode_;
  };
};

TEST_F(SilentRun, NetworkInstallChecksTheAddressAndLogsEveryStep) {
  answer_ = AddressAnswer{"LT43", "Velmo LT43"};
  installation_.queuesAfterInstall = {{"Velmo LT43-10.231.0.2", "IP_10.231.0.2", "Velmo LT43", 0}};
  EXPECT_EQ(Run({"-silent", "-ip:10.231.0.2", "-model:velmo lt43", "-language:english"}, true), 0);
  EXPECT_EQ(installation_.steps,
            (Texts{"lock", "batch reg add english", "check 10.231.0.2",
                   "runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\ for 600000",
                   "hidden 5000 in C:\\Program Files\\Velmo\\ \"C:\\Windows\\System32\\cscript.exe\" \"C:\\Program Files\\Velmo\\prnport.vbs\" -a -r IP_10.231.0.2 -h 10.231.0.2 -n "
                   "9100 -o raw",
                   "hidden 5000 \"C:\\Windows\\System32\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"Velmo LT43-10.231.0.2\" /r "
                   "\"IP_10.231.0.2\" /m \"Velmo LT43\"",
                   "pause 1000", "default Velmo LT43-10.231.0.2"}))
      << "the catalogue's spelling of the model; no printers folder in silent mode";
  EXPECT_EQ(installation_.log,
            (Texts{"language|reg add english|exit code 0",
                   "address check|\"0\" to 10.231.0.2:3000|Velmo LT43 answered at 10.231.0.2 after 0 ms",
                   "driver setup|C:\\Program Files\\Velmo\\Drovik.exe|exit code 0",
                   "port|\"C:\\Windows\\System32\\cscript.exe\" \"C:\\Program Files\\Velmo\\prnport.vbs\" -a -r IP_10.231.0.2 -h 10.231.0.2 -n 9100 -o raw|exit code 0",
                   "queue|\"C:\\Windows\\System32\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"Velmo LT43-10.231.0.2\" /r \"IP_10.231.0.2\" "
                   "/m \"Velmo LT43\"|exit code 0",
                   "queue wait||found \"Velmo LT43-10.231.0.2\" on port IP_10.231.0.2",
                   "install record|HKLM\\SOFTWARE\\DARVOLT\\Printer\\Installed\\Velmo LT43-10.231.0.2|written",
                   "default printer||Velmo LT43-10.231.0.2",
                   "end||exit code 0"}));
}

TEST_F(SilentRun, AnUnansweredCheckIsLoggedAndTheInstallGoesOn) {
  installation_.queuesAfterInstall = {{"Velmo LT42-10.0.0.9", "IP_10.0.0.9", "Velmo LT42", 0}};
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.9"}), 0);
  EXPECT_EQ(installation_.log[0], "address check|\"0\" to 10.0.0.9:3000|nothing answered at 10.0.0.9 within 1000 ms");
  EXPECT_NE(installation_.steps[2].find(" \"C:\\Windows\\System32\\cscript.exe\" \"C:\\Program Files\\Velmo\\prnport.vbs\""), std::string::npos)
      << "no driver setup without -language:";
}

const char kTwoPrinters[] =
    "USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001\r\n    Name: Velmo LT42\r\n    Driver is running.\r\n"
    "USBPRINT\\VELMOLT43\\7&11&0&USB002\r\n    Name: Velmo LT43\r\n    Driver is running.\r\n"
    "2 matching device(s) found.\r\n";

TEST_F(SilentRun, UsbInstallWaitsForTheQueueOfThatModelsPrinterOnly) {
  devconOutputs_["status USBPRINT\\VELMO*"] = kTwoPrinters;
  installation_.queuesAfterInstall = {{"Velmo LT42", "USB001", "Velmo LT42", 0},
                                      {"Velmo LT43", "USB002", "Velmo LT43", 0}};
  EXPECT_EQ(Run({"-usb", "-model:VELMO LT43", "-silent"}), 0);
  const std::string devcon = "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x64.exe\"";
  EXPECT_EQ(installation_.steps, (Texts{"lock", "devcon status USBPRINT\\VELMO*", devcon + " rescan", "pause 2000",
                                        devcon + " restart *class_07*", "pause 1000", "default Velmo LT43"}));
  EXPECT_EQ(installation_.log[0],
            "USB search|\"C:\\Program Files\\Velmo\\devcon_x64.exe\" status USBPRINT\\VELMO*|"
            "1 of 2 devices are Velmo LT43; USBPRINT\\VELMOLT43\\7&11&0&USB002");
}

TEST_F(SilentRun, BadArgumentsExitWithTwoAndRunNothing) {
  for (const Texts& arguments :
       {Texts{"-silent", "-usb"}, Texts{"-silent", "-model:Velmo LT42", "-usb", "-ip:10.0.0.1"},
        Texts{"-silent", "-model:Velmo LT42"}, Texts{"-silent", "-model:Velmo LT99", "-usb"},
        Texts{"-silent", "-model:Velmo", "-ip:10.0.0.1"}, Texts{"-silent", "-model:Velmo LT42", "-ip:10.0.0"},
        Texts{"-silent", "-model:Velmo LT42", "-ip:"}, Texts{"-silent", "-model:Velmo LT42", "-ip:printer.lan"},
        Texts{"-silent", "-model:Velmo LT42", "-ip:10.0.0.1\" /r \"LPT1:"}}) {
    installation_.log.clear();
    installation_.steps.clear();
    EXPECT_EQ(Run(arguments, true), 2) << arguments[1] << " " << arguments.back();
    EXPECT_TRUE(installation_.steps.empty() || installation_.steps == Texts{"lock"})
        << "not even the language is recorded";
    ASSERT_EQ(installation_.log.size(), 2u);
    EXPECT_EQ(installation_.log[0].rfind("arguments||", 0), 0u) << installation_.log[0];
    EXPECT_EQ(installation_.log[1], "end||exit code 2");
  }
}

TEST_F(SilentRun, EachFailureHasItsExitCode) {
  catalogue_.reset();
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 6) << "no driver package";
  EXPECT_EQ(installation_.steps, Texts{"lock"});
  installation_.steps.clear();
  catalogue_ = kModels;

  devconOutputs_["status USBPRINT\\VELMO*"] = kTwoPrinters;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 5) << "the queue never came";
  devconOutputs_["status USBPRINT\\VELMO*"] = "0 matching device(s) found.\r\n";
  installation_.steps.clear();
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}, true), 4) << "no USB printer of the model";
  EXPECT_EQ(installation_.steps, (Texts{"lock", "batch reg add english", "devcon status USBPRINT\\VELMO*"}));
  devconCode_ = -1;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 4) << "the tool could not start";
  EXPECT_EQ(installation_.log.end()[-2].substr(installation_.log.end()[-2].rfind('|')),
            "|0 of 0 devices are Velmo LT42 (could not start)");
  devconCode_ = kDevconNotBuilt;
  installation_.steps.clear();
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 5) << "a folder too long for the command line";
  EXPECT_EQ(installation_.log.end()[-2],
            "USB search||not run: the command line could not be built (a folder unknown or too long)");
  EXPECT_EQ(installation_.steps, (Texts{"lock", "devcon status USBPRINT\\VELMO*"})) << "and nothing after it";
  devconCode_ = 0;

  installation_.steps.clear();
  installation_.elevationGranted = false;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.1"}, true), 3) << "elevation refused";
  installation_.elevationGranted = true;
  installation_.setupExitCode = kStillRunning;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.1"}, true), 3) << "the setup outlived its limit";
  EXPECT_EQ(installation_.log.end()[-2], "driver setup|C:\\Program Files\\Velmo\\Drovik.exe|still running after 600000 ms");
  for (const std::string& step : installation_.steps) EXPECT_EQ(step.find("hidden"), std::string::npos) << step;
}

TEST_F(SilentRun, WithoutAdministratorRightsItExitsSevenAtOnceAndStartsNothing) {
  elevated_ = false;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.1", "-language:english"}, true), 7);
  EXPECT_TRUE(installation_.steps.empty()) << "no lock, no language, no check, no prompt";
  ASSERT_EQ(installation_.log.size(), 2u);
  EXPECT_EQ(installation_.log[0].rfind("rights||administrator rights are needed", 0), 0u) << installation_.log[0];
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42"}), 2) << "bad arguments are told first";
}

TEST_F(SilentRun, AnotherInstallationStillRunningEndsWithEightHavingStartedNothing) {
  lockFree_ = false;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb", "-language:english"}, true), 8);
  EXPECT_EQ(installation_.steps, Texts{"lock"});
  EXPECT_EQ(installation_.log[0], "another installation||still running after 60000 ms; nothing was started");
}

TEST_F(SilentRun, TheDefaultPrinterIsLeftAloneForNodefaultAndForAServiceAccount) {
  installation_.queuesAfterInstall = {{"Velmo LT42-10.0.0.9", "IP_10.0.0.9", "Velmo LT42", 0}};
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.9", "-nodefault"}), 0);
  EXPECT_EQ(std::ranges::count_if(installation_.steps, [](auto& step) { return step.starts_with("default"); }), 0);
  EXPECT_EQ(installation_.log.end()[-2], "default printer||left alone: -nodefault");

  installation_.steps.clear();
  serviceAccount_ = true;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.9"}), 0) << "the queue appeared: installed";
  EXPECT_EQ(std::ranges::count_if(installation_.steps, [](auto& step) { return step.starts_with("default"); }), 0);
  EXPECT_EQ(installation_.log.end()[-2],
            "default printer||left alone: a service account (such as the system) has no user's default printer");
}

TEST_F(SilentRun, DevconAskingForARestartGives3010OnceInstalled) {
  devconOutputs_["status USBPRINT\\VELMO*"] = kTwoPrinters;
  installation_.exitCodes = {{"restart", kDevconRestartNeeded}};
  installation_.queuesAfterInstall = {{"Velmo LT42", "USB001", "Velmo LT42", 0}};
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 3010);
  installation_.queuesAfterInstall.clear();
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 5) << "not installed: the restart is not the news";
}

TEST(ExitCodes, WindowAndSilentRunShareOneTable) {
  const InstallationResult installed{InstallationOutcome::Finished, true, std::nullopt};
  const auto failed = [](InstallationStep step) {
    return InstallationResult{InstallationOutcome::Finished, false, step};
  };
  for (bool silent : {false, true}) {
    EXPECT_EQ(ExitFor(installed, silent), InstallerExit::Installed);
    EXPECT_EQ(ExitFor({InstallationOutcome::Finished, true, std::nullopt, true}, silent),
              InstallerExit::RestartNeeded);
    EXPECT_EQ(ExitFor(failed(InstallationStep::Elevation), silent), InstallerExit::NeedsAdministrator);
  }
  EXPECT_EQ(ExitFor(failed(InstallationStep::DriverSetup), true), InstallerExit::DriverSetupFailed);
  for (InstallationStep step : {InstallationStep::DevconRescan, InstallationStep::DevconRestart,
                                InstallationStep::PortCommand, InstallationStep::QueueCommand,
                                InstallationStep::QueueWait}) {
    EXPECT_EQ(ExitFor(failed(step), true), InstallerExit::NoQueue);
    EXPECT_EQ(ExitFor(failed(step), false), InstallerExit::NotInstalled) << "the window's box said which";
  }
  EXPECT_EQ(ExitFor(failed(InstallationStep::DriverSetup), false), InstallerExit::NotInstalled);
}

TEST(ExitCodes, TheUsageListsEveryCodeAndStartWait) {
  const std::string usage = UsageText();
  for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 3010})
    EXPECT_NE(usage.find(" " + std::to_string(code) + "  "), std::string::npos) << code;
  EXPECT_NE(usage.find("start /wait"), std::string::npos);
  EXPECT_TRUE(ReadSilentArguments({"Qindle.exe", "-?"}).usage);
  EXPECT_TRUE(ReadSilentArguments({"Qindle.exe", "\"/?\""}).usage);
  EXPECT_FALSE(ReadSilentArguments({"Qindle.exe", "-silent"}).usage);
}

TEST(Rights, OnlyAWindowMayAskForThemAndASilentRunWithoutThemStops) {
  EXPECT_EQ(PlanRights(false, true), RightsPlan::RunHere);
  EXPECT_EQ(PlanRights(true, true), RightsPlan::RunHere);
  EXPECT_EQ(PlanRights(false, false), RightsPlan::ThroughElevatedHelper);
  EXPECT_EQ(PlanRights(true, false), RightsPlan::Refuse);
  for (const char* service : {"S-1-5-18", "S-1-5-19", "S-1-5-20"}) EXPECT_TRUE(IsServiceAccount(service));
  for (const char* person : {"S-1-5-21-1-2-3-1001", "S-1-5-21-1-2-3-500", "S-1-5-180", "S-1-5-1", ""})
    EXPECT_FALSE(IsServiceAccount(person)) << person;
}

}  // namespace
}  // namespace velmo
