// RunCaptured with real processes: both output streams in one text, exit
// codes, output past its buffer, and a tool that never ends or is stopped.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stop_token>
#include <string>
#include <thread>

#include "devcon_status.h"
#include "run_captured_win.h"

namespace velmo {
namespace {

TEST(RunCaptured, StandardOutputAndErrorArriveInOneTextWithTheExitCode) {
  std::string output = "previous";
  EXPECT_EQ(RunCaptured("cmd /c echo to-out& echo to-err 1>&2& exit 7", output), 7);
  EXPECT_NE(output.find("to-out"), std::string::npos) << output;
  EXPECT_NE(output.find("to-err"), std::string::npos) << output;
  EXPECT_EQ(output.find("previous"), std::string::npos);
}

TEST(RunCaptured, AToolThatCannotStartLeavesTheOutputAsItWas) {
  std::string output = "previous";
  EXPECT_EQ(RunCaptured("Z:\\nowhere\\devcon_x64.exe status USBPRINT\\VELMO*", output), -1);
  EXPECT_EQ(output, "previous");
}

TEST(RunCaptured, OutputPastTheBufferIsCutAndTheToolStillEnds) {
  const auto file = std::filesystem::temp_directory_path() / "velmo_long_output.txt";
  {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < 4000; ++i) out << "line " << i << " of a long status output\r\n";  // about 130 KB
  }
  std::string output;
  EXPECT_EQ(RunCaptured("cmd /c type \"" + file.string() + "\"", output), 0);
  EXPECT_EQ(output.size(), kMaxCapturedOutput);
  EXPECT_TRUE(output.starts_with("line 0 of"));
  std::filesystem::remove(file);
}

TEST(RunCaptured, AToolThatNeverEndsIsEndedAfterTheTimeOut) {
  std::string output;
  const DWORD start = GetTickCount();
  EXPECT_EQ(RunCaptured("cmd /c echo started& for /l %i in (0,0,1) do rem", output, 1500), -1);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 1400u);
  EXPECT_LT(took, 10000u);
  EXPECT_NE(output.find("started"), std::string::npos) << "what it printed before is kept";
}

TEST(RunCaptured, AToolStillRunningWhenAStopIsRequestedIsEndedAtOnce) {
  std::stop_source stop;
  std::thread stopper([&] {
    Sleep(300);
    stop.request_stop();
  });
  std::string output;
  const DWORD start = GetTickCount();
  EXPECT_EQ(RunCaptured("cmd /c for /l %i in (0,0,1) do rem", output, 30000, stop.get_token()), -1);
  const DWORD took = GetTickCount() - start;
  stopper.join();
  EXPECT_LT(took, 5000u) << "ended by the stop, not the time-out";
}

}  // namespace
}  // namespace velmo
