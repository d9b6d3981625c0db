// Uninstallation: its arguments, when the port goes with the queue, and the
// whole run against recorded peers.
#include <gtest/gtest.h>

#include <map>

#include "exit_codes.h"
#include "recorded_installation_peers.h"
#include "silent_arguments.h"
#include "uninstall.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;
const std::string kQueue = "Velmo LT43-10.0.0.7";
const std::string kKey = "SOFTWARE\\DARVOLT\\Printer\\Installed\\" + kQueue;
const PrinterQueue kInstalled{kQueue, "IP_10.0.0.7", "Velmo LT43"};
const PrinterQueue kUsb{"Velmo LT42", "USB001", "Velmo LT42"};

SilentArguments Read(Texts arguments) {
  arguments.insert(arguments.begin(), "Qindle.exe");
  return ReadSilentArguments(arguments);
}

TEST(UninstallArguments, TheQueueIsNeededAndMustNameOneKey) {
  const SilentArguments a = Read({"-silent", "\"-queue:" + kQueue + "\"", "-uninstall", "-log:C:\\u.log"});
  EXPECT_TRUE(a.uninstall && a.silent);
  EXPECT_EQ(a.queue, kQueue);
  EXPECT_EQ(a.logPath, "C:\\u.log");
  EXPECT_EQ(UninstallArgumentsProblem(a), std::nullopt);
  EXPECT_TRUE(UninstallArgumentsProblem(Read({"-uninstall"}))) << "no queue";
  EXPECT_TRUE(UninstallArgumentsProblem(Read({"-uninstall", "-queue: "}))) << "a blank queue";
  EXPECT_TRUE(UninstallArgumentsProblem(Read({"-uninstall", "-queue:..\\Other"}))) << "another key";
  EXPECT_TRUE(UninstallArgumentsProblem(Read({"-uninstall", "-queue:X\" /n \"Other"})))
      << "a quote would let the name out of its argument";
  EXPECT_TRUE(UninstallArgumentsProblem(Read({"-uninstall", "-queue:X\r\nY"}))) << "a line break";
  EXPECT_TRUE(UninstallArgumentsProblem(Read({"-uninstall", "-queue:X", "-log:"}))) << "a log that names no file";
  EXPECT_FALSE(Read({"-Uninstall", "-QUEUE:X"}).uninstall || Read({"-QUEUE:X"}).queue) << "exact case";
  EXPECT_NE(UsageText().find("Qindle -uninstall -queue:NAME [-silent] [-log:PATH]"), std::string::npos);
}

TEST(UninstallPort, GoesOnlyWhenItIsTheInstallationsAndNoOtherQueueUsesIt) {
  EXPECT_TRUE(RemovesPort(kQueue, "IP_10.0.0.7", {kInstalled, kUsb}));
  EXPECT_TRUE(RemovesPort(kQueue, "IP_10.0.0.7", {})) << "the queue gone already";
  EXPECT_FALSE(RemovesPort(kQueue, "IP_10.0.0.7", {kInstalled, {"Velmo LT42-10.0.0.7", "ip_10.0.0.7", "Velmo LT42"}}))
      << "another queue on the port, in another case";
  EXPECT_TRUE(RemovesPort(kQueue, "IP_10.0.0.7", {{"VELMO LT43-10.0.0.7", "IP_10.0.0.7", "Velmo LT43"}}))
      << "the queue itself in another case";
  EXPECT_FALSE(RemovesPort("Velmo LT42", "USB001", {})) << "a USB port is the device's";
  EXPECT_FALSE(RemovesPort(kQueue, "", {}));
  EXPECT_FALSE(RemovesPort(kQueue, "IP_", {}));
}

class UninstallRun : public ::testing::Test, public UninstallPeers {
 protected:
  InstallationPeers& Installation() override { return spooler_; }
  bool Elevated() override { return elevated_; }
  bool LockInstallation() override {
    spooler_.steps.push_back("lock");
    return lockFree_;
  }
  std::optional<std::string> RecordedPort(const std::string& key) override {
    const auto found = records_.find(key);
    return found == records_.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  bool DeleteRecord(const std::string& key) override {
    spooler_.steps.push_back("delete " + key);
    return records_.erase(key) == 1;
  }

  int Run(Texts arguments) { return static_cast<int>(RunUninstall(Read(arguments), *this)); }
  int RunForQueue() { return Run({"-uninstall", "-silent", "-queue:" + kQueue}); }

  void SetUp() override {
    spooler_.queues = {kInstalled, kUsb};
    spooler_.queuesAfterInstall = {kUsb};  // what the queue removal leaves
    records_[kKey] = "IP_10.0.0.7";
  }

  RecordedPeers spooler_;
  std::map<std::string, std::string> records_;
  bool elevated_ = true, lockFree_ = true;
};

TEST_F(UninstallRun, TheQueueItsUnusedPortAndTheRecordGoByTheirFullPaths) {
  EXPECT_EQ(RunForQueue(), 0);
  EXPECT_EQ(spooler_.steps,
            (Texts{"lock",
                   "hidden 5000 \"C:\\Windows\\System32\\rundll32.exe\" printui.dll PrintUIEntry /q /dl /n \"" +
                       kQueue + "\"",
                   "hidden 5000 in C:\\Program Files\\Velmo\\ \"C:\\Windows\\System32\\cscript.exe\" "
                   "\"C:\\Program Files\\Velmo\\prnport.vbs\" -d -r IP_10.0.0.7",
                   "delete " + kKey}));
  EXPECT_TRUE(records_.empty());
  EXPECT_EQ(spooler_.log.back(), "end||exit code 0");
  EXPECT_EQ(spooler_.log[spooler_.log.size() - 2], "install record|HKLM\\" + kKey + "|deleted");
}

TEST_F(UninstallRun, APortAnotherQueueStillUsesIsKept) {
  const PrinterQueue other{"Velmo LT42-10.0.0.7", "IP_10.0.0.7", "Velmo LT42"};
  spooler_.queues.push_back(other);
  spooler_.queuesAfterInstall.push_back(other);
  EXPECT_EQ(RunForQueue(), 0);
  for (const std::string& step : spooler_.steps) EXPECT_EQ(step.find("cscript"), std::string::npos) << step;
  EXPECT_TRUE(records_.empty());
}

TEST_F(UninstallRun, AQueueThatStaysEndsWithFiveAndKeepsPortAndRecord) {
  spooler_.queuesAfterInstall = spooler_.queues;
  EXPECT_EQ(RunForQueue(), 5);
  EXPECT_EQ(spooler_.steps.size(), 2u) << "the lock and the queue removal only";
  EXPECT_EQ(records_.size(), 1u);
  EXPECT_GE(spooler_.listings, 2) << "the spooler was asked again during the wait";
}

TEST_F(UninstallRun, ARecordWithoutItsQueueStillGoesWithThePort) {
  spooler_.queues = {kUsb};
  EXPECT_EQ(RunForQueue(), 0);
  ASSERT_EQ(spooler_.steps.size(), 3u);
  EXPECT_NE(spooler_.steps[1].find("-d -r IP_10.0.0.7"), std::string::npos);
  EXPECT_TRUE(records_.empty());
}

TEST_F(UninstallRun, AnUnrecordedQueueIsRemovedWithThePortItNames) {
  records_.clear();
  EXPECT_EQ(RunForQueue(), 0);
  ASSERT_EQ(spooler_.steps.size(), 3u);
  EXPECT_NE(spooler_.steps[1].find("/dl"), std::string::npos);
  EXPECT_NE(spooler_.steps[2].find("-d -r IP_10.0.0.7"), std::string::npos);
}

TEST_F(UninstallRun, NothingInstalledNorRecordedIsNothingToRemove) {
  records_.clear();
  spooler_.queues = {kUsb};
  EXPECT_EQ(RunForQueue(), 0);
  EXPECT_EQ(spooler_.steps, Texts{"lock"});
  EXPECT_NE(spooler_.log.front().find("nothing to remove"), std::string::npos);
}

TEST_F(UninstallRun, BadArgumentsNoRightsOrAnotherInstallationStartNothing) {
  EXPECT_EQ(Run({"-uninstall", "-silent"}), 2);
  elevated_ = false;
  EXPECT_EQ(RunForQueue(), 7);
  EXPECT_TRUE(spooler_.steps.empty());
  elevated_ = true;
  lockFree_ = false;
  EXPECT_EQ(RunForQueue(), 8);
  EXPECT_EQ(spooler_.steps, Texts{"lock"});
  EXPECT_EQ(records_.size(), 1u);
}

}  // namespace
}  // namespace velmo
