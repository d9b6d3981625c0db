#pragma once
// Form1 built from a driver package beside the test program, as the
// installer builds it beside itself, with recorded outside peers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver_catalogue_win.h"
#include "english_mode.h"
#include "form1_win.h"
#include "installer_state.h"
#include "loopback_socket_wintest.h"
#include "recorded_installation_peers.h"
#include "usb_scan.h"

namespace velmo {

inline const char kPackage[] =
    "[Version]\r\nProvider=Velmo\r\n\r\n[Velmo.NTx86]\r\n\"Velmo LT42\" = A\r\n\"Velmo LT43\" = B\r\n"
    "Other X1 = C\r\n";

class Form1Fixture : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::filesystem::path(ProgramFolder()) / "driver";
    std::filesystem::remove_all(driver_);
    std::filesystem::create_directories(driver_);
    std::ofstream(driver_ / "velmo.inf", std::ios::binary) << kPackage;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(ProgramFolder());
  }
  void TearDown() override {
    delete form_;
    form_ = nullptr;
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(driver_);
    EnglishMode = UsbInstallEnabled = DriverInstallEnabled = ExitCode = 0;
    UsbDeviceIds.Clear();
    UsbDeviceNames.Clear();
  }
  // A timer's pass, to its end: its findings applied.
  static bool RunPass(TForm1& f) {
    f.Timer1Timer(*f.Timer1);
    return PumpUntil([&] { return !f.PassInFlight(); });
  }
  // With the recorded peers below, or with `peers` of a test's own.
  TForm1& Build(int english, int fullMode, const InstallerPeers* peers = nullptr) {
    EnglishMode = english;
    UsbInstallEnabled = DriverInstallEnabled = fullMode;
    form_ = new TForm1(peers ? *peers : peers_);
    return *form_;
  }

  std::filesystem::path driver_, previous_;
  TForm1* form_ = nullptr;
  // The device console tool's output per argument text (a missing entry is
  // a tool that cannot start), and the local host's addresses (none: no
  // query is sent; `socketError_`: the pass fails as on a socket error).
  std::map<std::string, std::string> devconOutputs_;
  std::vector<std::string> devconRuns_;
  bool devconNotBuilt_ = false;  // the program's folder too long for the tool's command line
  std::optional<std::vector<Ipv4Address>> hostAddresses_;
  bool socketError_ = false;
  int hostLookups_ = 0;
  RecordedPeers installation_;
  InstallerPeers peers_{[this](const std::string& arguments, std::string& output, const std::stop_token&) {
                          devconRuns_.push_back(arguments);
                          if (devconNotBuilt_) return kDevconNotBuilt;
                          const auto found = devconOutputs_.find(arguments);
                          if (found == devconOutputs_.end()) return -1;
                          output = found->second;
                          return 0;
                        },
                        [this] {
                          ++hostLookups_;
                          if (socketError_) throw std::runtime_error("Socket Error # 10065");
                          return hostAddresses_;
                        },
                        installation_};
};

}  // namespace velmo
