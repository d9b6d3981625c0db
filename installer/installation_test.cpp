// The installation: every command line exactly, the order of the steps, the
// input checks before anything runs, and the waits for the new queue.
#include <gtest/gtest.h>

#include "install_commands.h"
#include "installation.h"
#include "recorded_installation_peers.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;

const std::vector<std::string> kModels = {"Velmo LT42", "Velmo LT43"};

class Installation : public ::testing::Test {
 protected:
  InstallationOutcome Install(const InstallationRequest& request) {
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

TEST(InstallCommands, TheWorkedExampleAndTheDevconLines) {
  EXPECT_EQ(NetworkPortName("192.168.1.50"), "IP_192.168.1.50");
  EXPECT_EQ(NetworkQueueName("Velmo LT42", "192.168.1.50"), "Velmo LT42-192.168.1.50");
  EXPECT_EQ(PortCommand("IP_192.168.1.50", "192.168.1.50"),
            "cscript prnport.vbs -a -r IP_192.168.1.50 -h 192.168.1.50 -n 9100 -o raw");
  EXPECT_EQ(QueueCommand("Velmo LT42-192.168.1.50", "IP_192.168.1.50", "Velmo LT42"),
            "rundll32 printui.dll PrintUIEntry /q /if /b \"Velmo LT42-192.168.1.50\" /r \"IP_192.168.1.50\" /m "
            "\"Velmo LT42\"");
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

TEST(InstallCommands, ACommandLineOver255CharactersIsNotBuilt) {
  const std::string fixed = "cscript prnport.vbs -a -r IP_ -h  -n 9100 -o raw";
  const std::size_t room = kMaxCommandLength - fixed.size();  // the IP text appears twice
  const std::string fits(room / 2, '1');
  EXPECT_EQ(PortCommand(NetworkPortName(fits), fits)->size(), kMaxCommandLength - room % 2);
  const std::string over(room / 2 + 1, '1');
  EXPECT_FALSE(PortCommand(NetworkPortName(over), over));
  // The quotes count: 1 + folder + 1 + 14 + 1 + 7 characters (" rescan").
  EXPECT_EQ(DevconRescanCommand(std::string(231, 'f'), 9)->size(), kMaxCommandLength);
  EXPECT_FALSE(DevconRescanCommand(std::string(232, 'f'), 9));
}

TEST_F(Installation, NetworkPrinterInFullMode) {
  peers_.queuesAfterInstall = {{"Velmo LT42-192.168.1.50", "IP_192.168.1.50", "velmo lt42", 0}};
  EXPECT_EQ(Install(Network("192.168.1.50", "Velmo LT42", true)), InstallationOutcome::Installed);
  EXPECT_EQ(peers_.steps,
            (Texts{"runas Drovik.exe in C:\\Program Files\\Velmo\\",
                   "hidden 5000 in C:\\Program Files\\Velmo\\ cscript prnport.vbs -a -r IP_192.168.1.50 -h "
                   "192.168.1.50 -n 9100 -o raw",
                   "hidden 5000 rundll32 printui.dll PrintUIEntry /q /if /b \"Velmo LT42-192.168.1.50\" /r "
                   "\"IP_192.168.1.50\" /m \"Velmo LT42\"",
                   "pause 1000", "default Velmo LT42-192.168.1.50", "start control printers",
                   "start control printers"}))
      << "the queue's driver name matches its model whatever the case; the folder opens twice";
}

TEST_F(Installation, BlanksAroundTheAddressAreTrimmedBeforeItIsUsed) {
  EXPECT_EQ(Install(Network(" 192.168.1.50\t")), InstallationOutcome::NoQueue);
  ASSERT_GE(peers_.steps.size(), 2u);
  EXPECT_EQ(peers_.steps[0],
            "hidden 5000 in C:\\Program Files\\Velmo\\ cscript prnport.vbs -a -r IP_192.168.1.50 -h 192.168.1.50 -n "
            "9100 -o raw")
      << "the port script is looked up in the program's folder";
  EXPECT_EQ(peers_.steps[1],
            "hidden 5000 rundll32 printui.dll PrintUIEntry /q /if /b \"Velmo LT42-192.168.1.50\" /r "
            "\"IP_192.168.1.50\" /m \"Velmo LT42\"");
  EXPECT_EQ(peers_.steps.back(), "start control printers") << "the wait ran out; the folder still opens";
  EXPECT_EQ(peers_.steps.size(), 3u) << "network-only mode runs no driver setup";
}

TEST_F(Installation, AnAddressThatIsNoDottedIpv4TakesTheFocusAndNothingRuns) {
  for (const char* bad : {"192.168.001.050", "192.168.1.256", "192.168.1", "192.168.1.", "192.168.1.50 -o lpr"})
    EXPECT_EQ(Install(Network(bad, "Velmo LT42", true)), InstallationOutcome::FocusAddress) << bad;
  EXPECT_TRUE(peers_.steps.empty());
}

TEST_F(Installation, UsbPrinterWithTheDriverSetupAndTheNewQueueAsDefault) {
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001");
  peers_.queuesAfterInstall = {{"Office", "USB001", "Other Driver", 0},             // not this package's
                               {"Old LT42", "USB001", "Velmo LT42", kQueueWorkOffline},  // offline
                               {"Velmo LT42 (net)", "IP_1.2.3.4", "Velmo LT42", 0},  // other port
                               {"Velmo LT42", "USB001", "Velmo LT42", 0},
                               {"Velmo LT42 (Copy 1)", "USB001", "Velmo LT42", 0}};
  EXPECT_EQ(Install(Usb()), InstallationOutcome::Installed);
  EXPECT_EQ(peers_.steps, (Texts{"runas Drovik.exe in C:\\Program Files\\Velmo\\", "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x64.exe\" rescan",
                                 "pause 2000", "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x64.exe\" restart *class_07*",
                                 "pause 1000", "default Velmo LT42", "start control printers"}));
}

TEST_F(Installation, UsbQueueThatNeverComesEndsTheWaitSilently) {
  usbIds_.Add("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001");
  peers_.architecture = 0;
  peers_.queuesAfterInstall = {{"Velmo LT42", "USB001", "Velmo LT42", kQueueWorkOffline},
                               {"Any", "", "Velmo LT42", 0}};
  EXPECT_EQ(Install(Usb()), InstallationOutcome::NoQueue);
  EXPECT_EQ(peers_.steps.back(), "hidden 5000 \"C:\\Program Files\\Velmo\\\\devcon_x32.exe\" restart *class_07*")
      << "no default printer and no printers folder";
  EXPECT_GT(peers_.listings, 20) << "the spooler is asked until the 3000 ms are up, across the tick wrap";
  EXPECT_LT(peers_.listings, 31);
}

TEST_F(Installation, RefusedElevationEndsBeforeAnyCommand) {
  peers_.elevation = ElevatedRun::NotStarted;
  EXPECT_EQ(Install(Usb()), InstallationOutcome::DriverSetupFailed);
  EXPECT_EQ(Install(Network("10.0.0.5", "Velmo LT42", true)), InstallationOutcome::DriverSetupFailed);
  EXPECT_EQ(peers_.steps, (Texts{"runas Drovik.exe in C:\\Program Files\\Velmo\\", "runas Drovik.exe in C:\\Program Files\\Velmo\\"}));
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
