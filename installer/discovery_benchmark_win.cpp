// Times two things of the installer's discovery, under Wine:
//  - from the start of a pass to the network printer's row in the list, with
//    the printer answering on loopback (127.0.0.255, port 3000);
//  - a whole pass with three brand words, each a run of the device console
//    tool (the stand-in) and the network query.
// Prints minimum, median and maximum of repeated runs.
//   installer_discovery_benchmark <folder of devcon_x64.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "application_win.h"
#include "driver_catalogue_win.h"
#include "form1_win.h"
#include "installer_state.h"
#include "loopback_socket_wintest.h"
#include "recorded_installation_peers.h"
#include "run_captured_win.h"
#include "text_win.h"

namespace {

using namespace velmo;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms (%zu runs)\n", what, times.front(),
              times[times.size() / 2], times.back(), times.size());
}

// Answers every query at once, on a thread of its own, until it goes.
class AnsweringPrinter {
 public:
  AnsweringPrinter() : socket_("127.0.0.255", kDiscoveryPort, 100) {
    thread_ = std::thread([this] {
      int answered = 0;
      while (!stop_) {
        if (const auto query = socket_.Receive())
          socket_.Reply(*query, "IP:10.9.0." + std::to_string(++answered % 250) + ";DEVICENAME:LT43;");
      }
    });
  }
  ~AnsweringPrinter() {
    stop_ = true;
    thread_.join();
  }

 private:
  LoopbackSocket socket_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::string devconFolder = NarrowToAnsi(argv[1]) + "\\";
  const int runs = argc > 2 ? _wtoi(argv[2]) : 20;
  namespace fs = std::filesystem;
  const fs::path driver = fs::path(ProgramFolder()) / "driver";
  fs::create_directories(driver);
  std::ofstream(driver / "bench.inf", std::ios::binary)
      << "[Version]\r\nProvider=Velmo\r\n[Velmo.NTx86]\r\n\"Velmo LT43\" = A\r\n\"Darvolt D1\" = B\r\n"
         "\"Other X1\" = C\r\n";
  fs::current_path(ProgramFolder());

  RecordedPeers installation;
  const InstallerPeers peers{[&](const std::string& arguments, std::string& output, const std::stop_token& stop) {
                               const auto command = DevconCommand(devconFolder, kArchitectureX64, arguments);
                               return RunCaptured(command.value_or(""), output, kCapturedToolTimeoutMs, stop);
                             },
                             [] { return std::optional<std::vector<Ipv4Address>>({{127, 0, 0, 9}}); },
                             installation};
  toolkit::InitializeToolkit();
  AnsweringPrinter printer;
  UsbInstallEnabled = 1;
  const double built = Now();
  TForm1 form(peers);
  form.Show();
  form.Timer1->SetEnabled(false);
  // Each pass's query is answered with a new row; a row is waited for before
  // the next pass, so that no answer counts for a later pass.
  const auto awaitRow = [&](int rows, double since) {
    while (form.ListView1->ItemCount() == rows && Now() - since < 5000) toolkit::ProcessOneMessage();
  };
  awaitRow(0, built);
  std::vector<double> toRow, pass;
  for (int run = 0; run < runs; ++run) {
    // Only the network half: the query's way out and the reply's way in.
    UsbInstallEnabled = 0;
    const double start = Now();
    form.Timer1Timer(*form.Timer1);
    awaitRow(form.ListView1->ItemCount(), start);
    toRow.push_back(Now() - start);
    UsbInstallEnabled = 1;
    const int rows = form.ListView1->ItemCount();
    const double passStart = Now();
    form.Timer1Timer(*form.Timer1);
    while (form.PassInFlight()) toolkit::ProcessOneMessage();
    pass.push_back(Now() - passStart);
    awaitRow(rows, passStart);
  }
  std::printf("brand words: %zu\n", BrandWords.Count());
  Report("pass start -> new network row", toRow);
  Report("pass with three brand words (three device console runs and the query)", pass);
  fs::remove_all(driver);
  return 0;
}
