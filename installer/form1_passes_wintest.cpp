// Form1's discovery passes off the window's thread, with slow device console
// runs: the window answers while one runs, an installation waits for the
// pass in flight and stops the passes for good, and a close ends the pass
// at once, leaving nothing behind and applying nothing of it.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <utility>

#include "form1_fixture_wintest.h"
#include "message_box_watcher_wintest.h"
#include "run_captured_win.h"
#include "window_probe_win.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;

const char kVelmoStatus[] = "status USBPRINT\\VELMO*";
const char kOnePrinter[] =
    "USBPRINT\\VELMOLT42\\7&2&0&USB001\r\n    Name: Velmo LT42\r\n    Driver is running.\r\n"
    "1 matching device(s) found.\r\n";

// What the pass's thread and the window's thread did, in one order.
class Timeline {
 public:
  void Add(std::string entry) {
    const std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
  }
  Texts Entries() const {
    const std::lock_guard lock(mutex_);
    return entries_;
  }

 private:
  mutable std::mutex mutex_;
  Texts entries_;
};

class TimelinePeers : public RecordedPeers {
 public:
  explicit TimelinePeers(Timeline& timeline) : timeline_(timeline) {}
  int RunElevated(const std::string& file, const std::string& folder, std::optional<unsigned> limitMs) override {
    timeline_.Add("runas " + file);
    return RecordedPeers::RunElevated(file, folder, limitMs);
  }
  int RunHidden(const std::string& commandLine, unsigned timeoutMs, const std::string& workingFolder) override {
    timeline_.Add("hidden " + commandLine);
    return RecordedPeers::RunHidden(commandLine, timeoutMs, workingFolder);
  }

 private:
  Timeline& timeline_;
};

class Form1Passes : public Form1Fixture {
 protected:
  void TearDown() override {
    Form1Fixture::TearDown();
    if (!standins_.empty()) std::filesystem::remove_all(standins_);
  }

  // The scripted device console tool: the first `slowRuns_` runs take
  // `slowMs_` (cut short by the pass's stop unless `ignoresStop_`), each
  // after `onStart_`.
  int Devcon(const std::string& arguments, std::string& output, const std::stop_token& stop) {
    timeline_.Add("devcon " + arguments);
    if (onStart_) std::exchange(onStart_, nullptr)();
    if (slowRuns_ > 0) {
      --slowRuns_;
      running_ = true;
      for (int waited = 0; waited < slowMs_ && (ignoresStop_ || !stop.stop_requested()); waited += 5) Sleep(5);
      running_ = false;
    }
    if (arguments == kVelmoStatus) output = plugged_ ? kOnePrinter : "No matching devices found.\r\n";
    timeline_.Add("devcon end");
    ++ended_;
    return 0;
  }

  Timeline timeline_;
  TimelinePeers timelineInstallation_{timeline_};
  std::atomic<int> slowRuns_{0}, ended_{0};
  int slowMs_ = 500;
  bool ignoresStop_ = false;
  std::atomic<bool> plugged_{false}, running_{false};
  std::function<void()> onStart_;
  std::atomic<int> lookups_{0};
  const InstallerPeers scripted_{
      [this](const std::string& arguments, std::string& output, const std::stop_token& stop) {
        return Devcon(arguments, output, stop);
      },
      [this] {
        ++lookups_;
        return std::optional<std::vector<Ipv4Address>>();
      },
      timelineInstallation_};
  // The device console stand-in as a real process, from a folder of its own.
  std::filesystem::path standins_;
  std::string realDevcon_;
  const InstallerPeers real_{[this](const std::string& arguments, std::string& output, const std::stop_token& stop) {
                               return RunCaptured(realDevcon_ + arguments, output, kCapturedToolTimeoutMs, stop);
                             },
                             [] { return std::optional<std::vector<Ipv4Address>>(); }, installation_};
};

TEST_F(Form1Passes, TheWindowAnswersWithin100msWhileAHalfSecondDeviceConsoleRunIsUnderWay) {
  TForm1& f = Build(0, 1, &scripted_);
  f.Show();
  const HWND window = f.Handle();
  slowRuns_ = 2;  // the next pass: both brand words take 500 ms
  std::vector<double> duringRuns;
  std::atomic<bool> done{false}, probing{true};
  std::thread probe([&] {
    while (!done) {
      const bool underWay = running_;
      const double ms = AnswerTimeMs(window, 2000);
      if (underWay) duringRuns.push_back(ms);
      Sleep(10);
    }
    probing = false;
  });
  f.Timer1->SetInterval(50);
  const bool ran = PumpUntil([&] { return ended_ >= 4; }, 8000);  // the first pass's two, then the slow two
  f.Timer1->SetEnabled(false);
  done = true;
  PumpUntil([&] { return !probing; });  // the last probe is answered as well
  probe.join();
  ASSERT_TRUE(ran);
  ASSERT_GE(duringRuns.size(), 20u) << "probes while a run was under way";
  EXPECT_LT(*std::max_element(duringRuns.begin(), duringRuns.end()), 100.0);
}

TEST_F(Form1Passes, InstallDuringAPassWaitsForItThenRunsItsCommandsInOrderAndNoPassFollows) {
  TForm1& f = Build(0, 1, &scripted_);
  f.Show();
  const HWND install = f.ButtonInstall->Handle();
  plugged_ = true;  // what the pass in flight finds is what the installation waits for
  slowRuns_ = 2;
  onStart_ = [install] { PostMessageW(install, BM_CLICK, 0, 0); };
  f.Timer1->SetInterval(50);
  const MessageBoxWatcher boxes(600);  // no queue comes; ticks would fall due under the box
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(f.Handle()); }, 10000));
  EXPECT_EQ(boxes.Seen(), 1);
  const Texts entries = timeline_.Entries();
  const auto runas = std::find(entries.begin(), entries.end(), "runas " + std::string(kRecordedProgramFolder) + "Drovik.exe");
  ASSERT_NE(runas, entries.end());
  EXPECT_EQ(Texts(runas - 4, runas), (Texts{"devcon status USBPRINT\\VELMO*", "devcon end",
                                            "devcon status USBPRINT\\OTHER*", "devcon end"}))
      << "the whole pass ran before the first command";
  ASSERT_EQ(entries.end() - runas, 3);
  EXPECT_NE(runas[1].find("\" rescan"), std::string::npos) << runas[1];
  EXPECT_NE(runas[2].find("\" restart *class_07*"), std::string::npos) << runas[2];
  EXPECT_EQ(UsbDeviceIds.Items(), Texts{"USBPRINT\\VELMOLT42\\7&2&0&USB001"}) << "the pass's findings were applied";
}

// Our device console tools still running; Wine's own helpers (a console
// host, say) do not count.
int OwnDeviceConsoles() {
  int tools = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    tools += entry.th32ParentProcessID == GetCurrentProcessId() && _wcsicmp(entry.szExeFile, L"devcon_x64.exe") == 0;
  }
  CloseHandle(snapshot);
  return tools;
}

TEST_F(Form1Passes, ClosingMidPassEndsPromptlyAndLeavesNoThreadOrProcessBehind) {
  standins_ = std::filesystem::temp_directory_path() / "velmo_passes_devcon";
  std::filesystem::create_directories(standins_);
  std::filesystem::copy_file(std::filesystem::path(VELMO_STANDINS_DIR) / "devcon_x64.exe",
                             standins_ / "devcon_x64.exe", std::filesystem::copy_options::overwrite_existing);
  realDevcon_ = "\"" + standins_.string() + "\\devcon_x64.exe\" ";
  TForm1& f = Build(0, 1, &real_);
  f.Show();
  const HWND window = f.Handle();
  std::ofstream(standins_ / "devcon_delay.txt") << "5000";  // from the next run on

  std::atomic<DWORD> closedAt{0};
  std::thread closer([&] {
    for (int i = 0; i < 500 && OwnDeviceConsoles() == 0; ++i) Sleep(10);
    closedAt = GetTickCount();
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  f.Timer1->SetInterval(50);
  const bool closed = PumpUntil([&] { return !IsWindowVisible(window); }, 20000);
  const DWORD hiddenAt = GetTickCount();
  closer.join();
  ASSERT_TRUE(closed);
  EXPECT_LT(hiddenAt - closedAt, 1000u) << "the close waited for the device console tool";
  EXPECT_FALSE(f.PassInFlight()) << "the pass's thread was left behind";
  // Wine may take a moment to take an ended process off its list; one left
  // behind runs on with its 5 s device console run, far past this.
  bool ended = false;
  for (int i = 0; i < 100 && !ended; ++i, Sleep(20)) ended = OwnDeviceConsoles() == 0;
  EXPECT_TRUE(ended) << "a device console tool was left running";
}

TEST_F(Form1Passes, WhatAPassFindsAfterTheWindowClosedIsDropped) {
  TForm1& f = Build(0, 1, &scripted_);
  f.Show();
  const HWND window = f.Handle();
  plugged_ = true;
  slowRuns_ = 1;
  slowMs_ = 300;
  ignoresStop_ = true;  // the run in progress ends on its own, after the close
  onStart_ = [window] { PostMessageW(window, WM_CLOSE, 0, 0); };
  const int lookupsBefore = lookups_;
  f.Timer1->SetInterval(50);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }, 5000));
  PumpUntil([] { return false; }, 300);  // a late word from the pass would come now
  EXPECT_EQ(ended_, 3) << "the first pass's two runs and the one in progress at the close";
  EXPECT_EQ(f.ListView1->ItemCount(), 0) << "the printer the pass found is not listed";
  EXPECT_EQ(UsbDeviceIds.Count(), 0u);
  EXPECT_EQ(lookups_, lookupsBefore) << "a stopped pass looks nothing up";
}

}  // namespace
}  // namespace velmo
