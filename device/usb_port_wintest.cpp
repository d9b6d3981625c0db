// The overlapped port and the transfer against the printer emulator over a
// named pipe: in-process on a thread, and as its own process.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "pipe_printer_server_win.h"
#include "usb_port_win.h"
#include "usb_prn_cmd.h"
#include "usb_transfer.h"

namespace velmo {
namespace {

using emulator::PipePrinterServer;
using emulator::PrinterFirmware;
using ::testing::ElementsAre;

class PipePorts : public UsbPortOpener {
 public:
  explicit PipePorts(std::string path, CancelIoCall cancel = CancelIo) : path_(std::move(path)), cancel_(cancel) {}
  std::unique_ptr<UsbPort> Open(std::string_view) override {
    return MakeOverlappedUsbPort(OpenUsbDevicePath(path_), cancel_);
  }

 private:
  std::string path_;
  CancelIoCall cancel_;
};

// A device driver that never finishes a cancelled operation.
BOOL WINAPI CancelThatNeverCompletes(HANDLE) { return TRUE; }

std::string UniquePipe(const char* name) {
  return "\\\\.\\pipe\\velmo-test-" + std::string(name) + "-" + std::to_string(GetCurrentProcessId());
}

class OverlappedPortTest : public ::testing::Test {
 protected:
  OverlappedPortTest() : pipe(UniquePipe(::testing::UnitTest::GetInstance()->current_test_info()->name())) {}
  void SetUp() override { server.Start(); }

  std::string pipe;
  PrinterFirmware firmware;
  PipePrinterServer server{firmware, pipe};
  PipePorts ports{pipe};
  TUsbPrnCmd cmd{"Velmo LT42", ports};
};

TEST_F(OverlappedPortTest, ReadsAndWritesEveryKind) {
  int32_t size = 0;
  std::string model;
  uint8_t gateway[4] = {};
  EXPECT_TRUE(cmd.GetInt("PRINT_DARKNESS_SIZE", &size));
  EXPECT_TRUE(cmd.GetString("OEM_MODELNAME", &model));
  EXPECT_TRUE(cmd.GetBytes("LAN_CONFIG_GATEWAY", gateway));
  EXPECT_EQ(size, 15);
  EXPECT_EQ(model, "Velmo LT42");
  EXPECT_THAT(gateway, ElementsAre(192, 168, 1, 1));

  EXPECT_TRUE(cmd.SetInt("PRINT_DARKNESS", -2));
  EXPECT_TRUE(cmd.SetString("BLUETOOTH_NAME", "desk"));
  EXPECT_FALSE(cmd.SetInt("NO_SUCH_KEY", 1));
  int32_t darkness = 0;
  std::string name;
  EXPECT_TRUE(cmd.GetInt("PRINT_DARKNESS", &darkness));
  EXPECT_TRUE(cmd.GetString("BLUETOOTH_NAME", &name));
  EXPECT_EQ(darkness, -2);
  EXPECT_EQ(name, "desk");
}

TEST_F(OverlappedPortTest, ReplyInPiecesIsCollected) {
  firmware.timing = {.piece_size = 2, .first_delay_ms = 50, .piece_delay_ms = 100};
  std::string version;
  EXPECT_TRUE(cmd.GetString("VERSION", &version));
  EXPECT_EQ(version, "2.1");
}

TEST_F(OverlappedPortTest, MissingPiecesEndTheReadWithWhatCame) {
  firmware.timing = {.piece_size = 3, .first_delay_ms = 10, .piece_delay_ms = 900};
  std::string model = "old";
  const DWORD start = GetTickCount();
  EXPECT_TRUE(cmd.GetString("OEM_MODELNAME", &model));
  const DWORD took = GetTickCount() - start;
  EXPECT_EQ(model, "");
  EXPECT_GE(took, 450u);
  EXPECT_LT(took, 1500u);
}

TEST_F(OverlappedPortTest, LateReplyFailsAndIsDrainedNextTime) {
  firmware.timing.first_delay_ms = 800;
  int32_t value = 5;
  EXPECT_FALSE(cmd.GetInt("PRINT_DARKNESS_SIZE", &value));
  EXPECT_EQ(value, 0);
  firmware.timing.first_delay_ms = 1;
  Sleep(800);  // the late reply has found the host gone and waits in the device
  std::string text;
  EXPECT_TRUE(cmd.GetString("VERSION_CMD", &text));
  EXPECT_EQ(text, "7");
}

TEST_F(OverlappedPortTest, CancelThatNeverCompletesEndsTheExchangeInTime) {
  firmware.timing.first_delay_ms = 2500;  // the read is still running when the exchange gives up
  PipePorts stuck(pipe, CancelThatNeverCompletes);
  const uint8_t request[] = {0x1F, 0x52, 0x0D, 0x00, 0x20, 0x00, 'P', 'R', 'I', 'N', 'T', '_', 'M', 'O', 'D', 'E', 0};
  uint8_t reply[256];
  const DWORD start = GetTickCount();
  EXPECT_EQ(UsbTransfer(stuck, "Velmo LT42", request, reply), 0u);
  const DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 1800u) << "500 ms for the reply and at most 500 ms for the cancel";
  EXPECT_GE(took, 900u);

  // Whatever the read still receives goes to memory of its own, never to
  // the caller's buffer, and that memory is released once the read ends.
  std::fill(std::begin(reply), std::end(reply), uint8_t{0xEE});
  for (int i = 0; i < 200 && UsbOperationsLeftRunning() != 0; ++i) SleepEx(20, TRUE);
  EXPECT_EQ(UsbOperationsLeftRunning(), 0u);
  EXPECT_TRUE(std::all_of(std::begin(reply), std::end(reply), [](uint8_t b) { return b == 0xEE; }));
}

TEST_F(OverlappedPortTest, PrinterIsAwayWhileItRestarts) {
  firmware.restart_ms = 1000;
  EXPECT_TRUE(cmd.RunCommand("power_reset"));
  Sleep(200);
  EXPECT_FALSE(cmd.RunCommand("beep"));
  Sleep(1200);
  EXPECT_TRUE(cmd.RunCommand("beep"));
  EXPECT_EQ(firmware.beeps, 1);
}

TEST_F(OverlappedPortTest, NoPipeOpensNothing) {
  PipePorts nowhere(UniquePipe("absent"));
  TUsbPrnCmd absent("Velmo LT42", nowhere);
  EXPECT_FALSE(absent.RunCommand("beep"));
}

TEST(PrinterEmulatorProcess, AnswersOverItsPipe) {
  const std::string pipe = UniquePipe("process");
  std::string command = std::string("\"") + PRINTER_EMULATOR_EXE + "\" --pipe " + pipe;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  for (int i = 0; i < 100 && !WaitNamedPipeA(pipe.c_str(), 1); ++i) Sleep(50);

  PipePorts ports(pipe);
  TUsbPrnCmd cmd("Velmo LT42", ports);
  std::string model;
  EXPECT_TRUE(cmd.GetString("OEM_MODELNAME", &model));
  EXPECT_EQ(model, "Velmo LT42");
  EXPECT_TRUE(cmd.RunCommand("beep"));

  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace velmo
