#include "standin_core.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace velmo::standin {
namespace {

using ::testing::ElementsAre;

TEST(StandinRole, FromOwnFileName) {
  EXPECT_EQ(RoleFromProgramPath("C:\\Qindle\\DEVCON_X64.EXE"), Role::Devcon);
  EXPECT_EQ(RoleFromProgramPath("Z:/build/devcon_x32.exe"), Role::Devcon);
  EXPECT_EQ(RoleFromProgramPath("C:\\a.b\\Drovik.exe"), Role::DriverSetup);
  EXPECT_EQ(RoleFromProgramPath("cscript"), Role::ScriptHost);
  EXPECT_EQ(RoleFromProgramPath("c:\\q\\RunDll32.exe"), Role::Rundll32);
  EXPECT_EQ(RoleFromProgramPath("control.exe"), Role::Control);
  EXPECT_EQ(RoleFromProgramPath("C:\\control.exe\\devcon_arm.exe"), Role::Unknown);
  EXPECT_EQ(RoleFromProgramPath(".exe"), Role::Unknown);
}

// The C runtime's documented examples, and a program path with spaces.
TEST(StandinCommandLine, SplitsLikeTheCRuntime) {
  EXPECT_THAT(SplitCommandLine("p \"a b c\" d e"), ElementsAre("p", "a b c", "d", "e"));
  EXPECT_THAT(SplitCommandLine("p \"ab\\\"c\" \"\\\\\" d"), ElementsAre("p", "ab\"c", "\\", "d"));
  EXPECT_THAT(SplitCommandLine("p a\\\\\\b d\"e f\"g h"), ElementsAre("p", "a\\\\\\b", "de fg", "h"));
  EXPECT_THAT(SplitCommandLine("p a\\\\\\\"b c d"), ElementsAre("p", "a\\\"b", "c", "d"));
  EXPECT_THAT(SplitCommandLine("p a\\\\\\\\\"b c\" d e"), ElementsAre("p", "a\\\\b c", "d", "e"));
  EXPECT_THAT(SplitCommandLine("p a\"b\"\" c d"), ElementsAre("p", "ab\" c d"));
  EXPECT_THAT(SplitCommandLine("p \"\" x\\"), ElementsAre("p", "", "x\\"));
  EXPECT_THAT(SplitCommandLine("\"C:\\Program Files\\q\\devcon_x64.exe\"\tstatus  USB\\VID_1*"),
              ElementsAre("C:\\Program Files\\q\\devcon_x64.exe", "status", "USB\\VID_1*"));
  EXPECT_THAT(SplitCommandLine("\"C:\\unclosed"), ElementsAre("C:\\unclosed"));
  EXPECT_EQ(ArgumentsText("\"C:\\a b\\rundll32.exe\"   printui.dll,PrintUIEntry /if "),
            "printui.dll,PrintUIEntry /if ");
  EXPECT_EQ(ArgumentsText("control.exe"), "");
}

TEST(StandinWildcard, MatchesTheWholeIdIgnoringCase) {
  EXPECT_TRUE(WildcardMatch("USB\\VID_1FC9&PID_2016", "usb\\vid_1fc9&pid_2016"));
  EXPECT_FALSE(WildcardMatch("USB\\VID_1FC9", "USB\\VID_1FC9&PID_2016"));
  EXPECT_FALSE(WildcardMatch("VID_1FC9*", "USB\\VID_1FC9&PID_2016"));
  EXPECT_TRUE(WildcardMatch("USB\\VID_1FC9*", "USB\\VID_1FC9"));
  EXPECT_TRUE(WildcardMatch("*PID_2016", "USB\\VID_1FC9&PID_2016"));
  EXPECT_TRUE(WildcardMatch("USB\\*&PID_20??", "USB\\VID_1FC9&PID_2016"));
  EXPECT_FALSE(WildcardMatch("USB\\*&PID_20?", "USB\\VID_1FC9&PID_2016"));
  EXPECT_FALSE(WildcardMatch("?", ""));
  EXPECT_TRUE(WildcardMatch("**", ""));
  EXPECT_TRUE(WildcardMatch("*a*b", "xaybab"));
  EXPECT_FALSE(WildcardMatch("*a*a*a*a*b", std::string(5000, 'a')));
}

TEST(StandinDeviceList, LinesFieldsAndSkips) {
  const auto devices = ParseDeviceList(
      "# plugged printers\r\n"
      "USB\\VID_1FC9&PID_2016|usb\\vid_1fc9&pid_2016\\5&1a2b|Velmo LT42\r\n"
      "\n"
      "   \n"
      "no bar here\n"
      "USB\\VID_1|  |nameless instance\n"
      "USB\\VID_2 | USB\\VID_2\\7 |\n"
      "USB\\VID_3|USB\\VID_3\\8\n"
      "USB\\VID_4|USB\\VID_4\\9|Name | with bar");
  ASSERT_EQ(devices.size(), 4u);
  EXPECT_EQ(devices[0].hardware_id, "USB\\VID_1FC9&PID_2016");
  EXPECT_EQ(devices[0].instance_id, "usb\\vid_1fc9&pid_2016\\5&1a2b");
  EXPECT_EQ(devices[0].name, "Velmo LT42");
  EXPECT_EQ(devices[1].hardware_id, "USB\\VID_2");
  EXPECT_EQ(devices[1].instance_id, "USB\\VID_2\\7");
  EXPECT_EQ(devices[1].name, "");
  EXPECT_EQ(devices[2].name, "");
  EXPECT_EQ(devices[3].name, "Name | with bar");
  EXPECT_TRUE(ParseDeviceList("").empty());
}

class StandinDevcon : public ::testing::Test {
 protected:
  const std::vector<Device> devices = ParseDeviceList(
      "USB\\VID_1FC9&PID_2016|usb\\vid_1fc9&pid_2016\\5&1a2b|Velmo LT42\n"
      "USB\\VID_0483&PID_5740|USB\\VID_0483&PID_5740\\6&2B|\n"
      "USB\\VID_1FC9&PID_2017|USB\\VID_1FC9&PID_2017\\7&3C|Velmo LT80\n");
};

TEST_F(StandinDevcon, StatusListsMatchesInFileOrder) {
  const Outcome named = RunDevcon({"status", "usb\\vid_1fc9*"}, devices);
  EXPECT_EQ(named.out,
            "USB\\VID_1FC9&PID_2016\\5&1A2B\r\n    Name: Velmo LT42\r\n    Driver is running.\r\n"
            "USB\\VID_1FC9&PID_2017\\7&3C\r\n    Name: Velmo LT80\r\n    Driver is running.\r\n"
            "2 matching device(s) found.\r\n");
  EXPECT_EQ(named.exit_code, 0);
  EXPECT_EQ(RunDevcon({"STATUS", "USB\\VID_0483*"}, devices).out,
            "USB\\VID_0483&PID_5740\\6&2B\r\n    Driver is running.\r\n1 matching device(s) found.\r\n");
  // The compatible ID counts for restart only.
  EXPECT_EQ(RunDevcon({"status", "USB\\Class_07*"}, devices).out, "No matching devices found.\r\n");
  EXPECT_EQ(RunDevcon({"status", "*"}, {}).out, "No matching devices found.\r\n");
}

TEST(StandinDevconDelay, MillisecondsUpToAMinuteOrNothing) {
  EXPECT_EQ(DevconDelayMs("500"), 500u);
  EXPECT_EQ(DevconDelayMs(" 0\r\n"), 0u);
  EXPECT_EQ(DevconDelayMs("60000\n"), 60000u);
  EXPECT_EQ(DevconDelayMs("60001"), std::nullopt);
  EXPECT_EQ(DevconDelayMs("999999"), std::nullopt) << "too long to be a number of this kind";
  EXPECT_EQ(DevconDelayMs(""), std::nullopt);
  EXPECT_EQ(DevconDelayMs("5 00"), std::nullopt);
  EXPECT_EQ(DevconDelayMs("-5"), std::nullopt);
  EXPECT_EQ(DevconDelayMs("500ms"), std::nullopt);
}

TEST_F(StandinDevcon, RestartAndRescan) {
  EXPECT_EQ(RunDevcon({"restart", "USB\\VID_0483&PID_5740"}, devices).out,
            "USB\\VID_0483&PID_5740\\6&2B: Restarted\r\n1 device(s) restarted.\r\n");
  EXPECT_EQ(RunDevcon({"restart", "usb\\class_07&subclass_01*"}, devices).out,
            "USB\\VID_1FC9&PID_2016\\5&1A2B: Restarted\r\nUSB\\VID_0483&PID_5740\\6&2B: Restarted\r\n"
            "USB\\VID_1FC9&PID_2017\\7&3C: Restarted\r\n3 device(s) restarted.\r\n");
  EXPECT_EQ(RunDevcon({"restart", "USB\\VID_9999*"}, devices).out, "0 device(s) restarted.\r\n");
  const Outcome restarted = RunDevcon({"restart", "*class_07*"}, devices);
  ASSERT_EQ(restarted.restarted.size(), 3u) << "each restarted printer gets its queue";
  EXPECT_EQ(restarted.restarted[0].name, "Velmo LT42");
  EXPECT_EQ(UsbPortOf("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001"), "USB001");
  EXPECT_TRUE(RunDevcon({"status", "*"}, devices).restarted.empty());
  EXPECT_EQ(RunDevcon({"rescan"}, devices).out, "Scanning for new hardware.\r\nScanning completed.\r\n");
}

// The tool sees the arguments its C runtime splits from the whole command
// line: an unquoted folder with a blank puts the folder's next word where
// the command belongs.
TEST_F(StandinDevcon, AnUnquotedFolderWithABlankFailsTheSearch) {
  const auto run = [&](const std::string& commandLine) {
    std::vector<std::string> args = SplitCommandLine(commandLine);
    args.erase(args.begin());
    return RunDevcon(args, devices);
  };
  const Outcome unquoted = run("C:\\Program Files (x86)\\Velmo Driver\\devcon_x64.exe status USB\\VID_1FC9*");
  EXPECT_EQ(unquoted.exit_code, 1);
  EXPECT_EQ(unquoted.out, "") << "no device listed";
  const Outcome quoted = run("\"C:\\Program Files (x86)\\Velmo Driver\\devcon_x64.exe\" status USB\\VID_1FC9*");
  EXPECT_EQ(quoted.exit_code, 0);
  EXPECT_THAT(quoted.out, ::testing::HasSubstr("2 matching device(s) found."));
  EXPECT_EQ(run("C:\\Velmo Driver\\devcon_x64.exe rescan").exit_code, 1) << "a rescan that does nothing fails too";
}

TEST_F(StandinDevcon, WrongUseFailsOnStandardError) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"status"}, {"restart"}, {"remove", "*"}}) {
    const Outcome outcome = RunDevcon(args, devices);
    EXPECT_EQ(outcome.exit_code, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err, "");
  }
}

TEST(StandinScriptHost, PicksTheScriptAfterHostOptions) {
  const auto call = PickScript({"//NoLogo", "/b", "prnport.vbs", "-a", "/x", "-r", "IP_10.0.0.7"});
  ASSERT_TRUE(call);
  EXPECT_EQ(call->script, "prnport.vbs");
  EXPECT_TRUE(call->no_logo);
  EXPECT_THAT(call->script_args, ElementsAre("-a", "/x", "-r", "IP_10.0.0.7"));
  EXPECT_FALSE(PickScript({"//nologo", "/b"}));
  EXPECT_FALSE(PickScript({}));
  EXPECT_FALSE(PickScript({"x.vbs"})->no_logo);
}

TEST(StandinScriptHost, MissingScriptAndPortScript) {
  ScriptCall call{"prnport.vbs", {"-A", "-r", "IP_10.0.0.7", "-h", "10.0.0.7"}, false};
  const Outcome missing = RunScriptHost(call, "C:\\q\\prnport.vbs", false);
  EXPECT_EQ(missing.out, "Input Error: Can not find script file \"C:\\q\\prnport.vbs\".\r\n");
  EXPECT_EQ(missing.exit_code, 1);

  const Outcome created = RunScriptHost(call, "C:\\q\\PrnPort.VBS", true);
  EXPECT_EQ(created.exit_code, 0);
  EXPECT_TRUE(created.out.ends_with("\r\n\r\nCreated/updated port IP_10.0.0.7\r\n")) << created.out;
  call.no_logo = true;
  EXPECT_EQ(RunScriptHost(call, "C:\\q\\prnport.vbs", true).out, "Created/updated port IP_10.0.0.7\r\n");
  EXPECT_EQ(RunScriptHost(call, "C:\\q\\other.vbs", true).out, "");
  call.script_args = {"-d", "-r", "IP_10.0.0.7"};
  EXPECT_EQ(RunScriptHost(call, "C:\\q\\prnport.vbs", true).out, "Deleted port IP_10.0.0.7\r\n");
  call.script_args = {"-l"};
  EXPECT_EQ(RunScriptHost(call, "C:\\q\\prnport.vbs", true).out, "");
  call.script_args = {"-a", "-r"};
  EXPECT_EQ(RunScriptHost(call, "C:\\q\\prnport.vbs", true).out, "Created/updated port \r\n");
}

TEST(StandinPrintUi, QuotedAndBareValues) {
  const auto call = ParsePrintUiCommand(
      "printui.dll,PrintUIEntry /if /b \"Velmo LT42 (copy 1)\" /f \"C:\\d\\velmo.inf\" /r USB001 /m \"Velmo LT42\" /z");
  ASSERT_TRUE(call);
  EXPECT_TRUE(call->install);
  EXPECT_EQ(call->queue, "Velmo LT42 (copy 1)");
  EXPECT_EQ(call->port, "USB001");
  EXPECT_EQ(call->model, "Velmo LT42");

  const auto spaced = ParsePrintUiCommand("PRINTUI.DLL PrintUIEntry /b \"/odd name\" /if /r \"\"");
  ASSERT_TRUE(spaced);
  EXPECT_TRUE(spaced->install);
  EXPECT_EQ(spaced->queue, "/odd name");
  EXPECT_EQ(spaced->port, "");
  EXPECT_EQ(spaced->model, std::nullopt);
}

TEST(StandinPrintUi, MissingValuesAndOtherEntries) {
  const auto call = ParsePrintUiCommand("printui.dll, PrintUIEntry /b /r /if /m \"Velmo LT80");
  ASSERT_TRUE(call);
  EXPECT_TRUE(call->install);
  EXPECT_EQ(call->queue, std::nullopt);
  EXPECT_EQ(call->port, std::nullopt);
  EXPECT_EQ(call->model, "Velmo LT80");
  const auto removal = ParsePrintUiCommand("printui.dll PrintUIEntry /q /dl /n \"Velmo LT43-10.0.0.7\"");
  ASSERT_TRUE(removal);
  EXPECT_TRUE(removal->remove && !removal->install);
  EXPECT_EQ(removal->queue, "Velmo LT43-10.0.0.7");
  EXPECT_FALSE(ParsePrintUiCommand("printui.dll,PrintUIEntry /dl /n x")->install);
  EXPECT_FALSE(ParsePrintUiCommand("printui.dll,PrintUIEntry /if /b x")->remove);
  // A quoted "/if" is the value of some option, never the option itself.
  EXPECT_FALSE(ParsePrintUiCommand("printui.dll,PrintUIEntry /dl /n \"/if\"")->install);
  EXPECT_FALSE(ParsePrintUiCommand("shell32.dll,Control_RunDLL printers"));
  EXPECT_FALSE(ParsePrintUiCommand("printui.dll,OtherEntry /if"));
  EXPECT_FALSE(ParsePrintUiCommand(""));
}

}  // namespace
}  // namespace velmo::standin
