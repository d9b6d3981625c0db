// Silent installation: its arguments, its log lines, the address check and
// the whole run with every exit code, against recorded peers.
#include <gtest/gtest.h>

#include <map>

#include "address_check.h"
#include "recorded_installation_peers.h"
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

TEST(SilentLog, OneTabSeparatedLinePerStepWithThePaddedLocalTime) {
  EXPECT_EQ(SilentLogLine({2026, 3, 9, 7, 5, 4, 31}, "port", "cscript prnport.vbs -a", "exit code 0"),
            "2026-03-09 07:05:04.031\tport\tcscript prnport.vbs -a\texit code 0\n");
  EXPECT_EQ(SilentLogLine({2026, 12, 31, 23, 59, 59, 999}, "arguments", "", "unknown model \"a\tb\r\nc\""),
            "2026-12-31 23:59:59.999\targuments\t\tunknown model \"a b  c\"\n")
      << "a value with tabs or line breaks cannot add fields or lines";
  Texts lines;
  const SilentLog log([] { return LocalTime{2026, 1, 2, 3, 4, 5, 6}; },
                      [&](const std::string& line) { lines.push_back(line); });
  log.Write("end", "", "exit code 0");
  EXPECT_EQ(lines, Texts{"2026-01-02 03:04:05.006\tend\t\texit code 0\n"});
}

TEST(AddressCheck, TheFirstReplyThatNamesTheAddressIsTheAnswer) {
  AddressCheck check("10.231.0.2");
  EXPECT_FALSE(check.Offer("IP:10.231.0.9;DEVICENAME:LT42;", kModels)) << "another printer answering a broadcast";
  EXPECT_FALSE(check.Offer("garbage", kModels));
  EXPECT_FALSE(check.Answer());
  EXPECT_EQ(AddressCheckSummary("10.231.0.2", check.Answer()), "nothing answered at 10.231.0.2 within 1000 ms");
  EXPECT_TRUE(check.Offer("DEVICENAME:lt43;IP:10.231.0.2", kModels));
  EXPECT_FALSE(check.Offer("IP:10.231.0.2;DEVICENAME:LT42", kModels)) << "only the first answer counts";
  ASSERT_TRUE(check.Answer());
  EXPECT_EQ(check.Answer()->model, "Velmo LT43");
  EXPECT_EQ(AddressCheckSummary("10.231.0.2", check.Answer()), "Velmo LT43 answered at 10.231.0.2");

  AddressCheck foreign("10.0.0.5");
  EXPECT_TRUE(foreign.Offer("IP:10.0.0.5;DEVICENAME:ZX9", kModels));
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
  int RunBatch(const std::string& commandLine) override {
    installation_.steps.push_back("batch " + commandLine);
    return 0;
  }
  std::optional<AddressAnswer> CheckAddress(const std::string& address, const std::vector<std::string>&) override {
    installation_.steps.push_back("check " + address);
    return answer_;
  }
  const DevconRunner& Devcon() override { return devcon_; }

  int Run(Texts arguments, bool language = false) {
    arguments.insert(arguments.begin(), kProgram);
    SilentLanguage silentLanguage{language, {}};
    if (language) silentLanguage.recordCommands = {"reg add english"};
    return static_cast<int>(RunSilentInstallation(ReadSilentArguments(arguments), silentLanguage, *this));
  }

  RecordedPeers installation_;
  std::optional<std::vector<std::string>> catalogue_ = kModels;
  std::optional<AddressAnswer> answer_;
  std::map<std::string, std::string> devconOutputs_;
  DevconRunner devcon_ = [this](const std::string& arguments, std::string& output) {
    installation_.steps.push_back("devcon " + arguments);
    output = devconOutputs_[arguments];
    return 0;
  };
};

TEST_F(SilentRun, NetworkInstallChecksTheAddressAndLogsEveryStep) {
  answer_ = AddressAnswer{"LT43", "Velmo LT43"};
  installation_.queuesAfterInstall = {{"Velmo LT43-10.231.0.2", "IP_10.231.0.2", "Velmo LT43", 0}};
  EXPECT_EQ(Run({"-silent", "-ip:10.231.0.2", "-model:velmo lt43", "-language:english"}, true), 0);
  EXPECT_EQ(installation_.steps,
            (Texts{"batch reg add english", "check 10.231.0.2",
                   "runas Drovik.exe in C:\\Program Files\\Velmo\\ for 600000",
                   "hidden 5000 in C:\\Program Files\\Velmo\\ cscript prnport.vbs -a -r IP_10.231.0.2 -h 10.231.0.2 -n "
                   "9100 -o raw",
                   "hidden 5000 rundll32 printui.dll PrintUIEntry /q /if /b \"Velmo LT43-10.231.0.2\" /r "
                   "\"IP_10.231.0.2\" /m \"Velmo LT43\"",
                   "pause 1000", "default Velmo LT43-10.231.0.2"}))
      << "the catalogue's spelling of the model; no printers folder in silent mode";
  EXPECT_EQ(installation_.log,
            (Texts{"language|reg add english|exit code 0",
                   "address check|\"0\" to 10.231.0.2:3000|Velmo LT43 answered at 10.231.0.2 after 0 ms",
                   "driver setup|Drovik.exe|exit code 0",
                   "port|cscript prnport.vbs -a -r IP_10.231.0.2 -h 10.231.0.2 -n 9100 -o raw|exit code 0",
                   "queue|rundll32 printui.dll PrintUIEntry /q /if /b \"Velmo LT43-10.231.0.2\" /r \"IP_10.231.0.2\" "
                   "/m \"Velmo LT43\"|exit code 0",
                   "queue wait||found \"Velmo LT43-10.231.0.2\" on port IP_10.231.0.2",
                   "default printer||Velmo LT43-10.231.0.2", "end||exit code 0"}));
}

TEST_F(SilentRun, AnUnansweredCheckIsLoggedAndTheInstallGoesOn) {
  installation_.queuesAfterInstall = {{"Velmo LT42-10.0.0.9", "IP_10.0.0.9", "Velmo LT42", 0}};
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.9"}), 0);
  EXPECT_EQ(installation_.log[0], "address check|\"0\" to 10.0.0.9:3000|nothing answered at 10.0.0.9 within 1000 ms");
  EXPECT_NE(installation_.steps[1].find(" cscript prnport.vbs"), std::string::npos)
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
  EXPECT_EQ(installation_.steps, (Texts{"devcon status USBPRINT\\VELMO*", devcon + " rescan", "pause 2000",
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
    EXPECT_EQ(Run(arguments, true), 2) << arguments[1] << " " << arguments.back();
    EXPECT_TRUE(installation_.steps.empty()) << "not even the language is recorded";
    ASSERT_EQ(installation_.log.size(), 2u);
    EXPECT_EQ(installation_.log[0].rfind("arguments||", 0), 0u) << installation_.log[0];
    EXPECT_EQ(installation_.log[1], "end||exit code 2");
  }
}

TEST_F(SilentRun, EachFailureHasItsExitCode) {
  catalogue_.reset();
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 6) << "no driver package";
  EXPECT_TRUE(installation_.steps.empty());
  catalogue_ = kModels;

  devconOutputs_["status USBPRINT\\VELMO*"] = kTwoPrinters;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}), 5) << "the queue never came";
  devconOutputs_["status USBPRINT\\VELMO*"] = "0 matching device(s) found.\r\n";
  installation_.steps.clear();
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-usb"}, true), 4) << "no USB printer of the model";
  EXPECT_EQ(installation_.steps, (Texts{"batch reg add english", "devcon status USBPRINT\\VELMO*"}));

  installation_.steps.clear();
  installation_.elevationGranted = false;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.1"}, true), 3) << "elevation refused";
  installation_.elevationGranted = true;
  installation_.setupExitCode = kStillRunning;
  EXPECT_EQ(Run({"-silent", "-model:Velmo LT42", "-ip:10.0.0.1"}, true), 3) << "the setup outlived its limit";
  EXPECT_EQ(installation_.log.end()[-2], "driver setup|Drovik.exe|still running after 600000 ms");
  for (const std::string& step : installation_.steps) EXPECT_EQ(step.find("hidden"), std::string::npos) << step;
}

}  // namespace
}  // namespace velmo
