#pragma once
// Serves the emulated firmware over a named pipe, one connection pair per
// exchange: the host opens the pipe once to write and once to read, as it
// opens the USB device. Output the host did not take before it closed is
// kept for the next exchange; while the printer is off the bus (a restart
// or a drop) no instance listens.
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "printer_firmware.h"

namespace velmo::emulator {

inline constexpr char kDefaultPipePath[] = "\\\\.\\pipe\\velmo-printer";

class PipePrinterServer {
 public:
  PipePrinterServer(PrinterFirmware& firmware, std::string pipe_path);
  ~PipePrinterServer();  // stops the thread
  PipePrinterServer(const PipePrinterServer&) = delete;
  PipePrinterServer& operator=(const PipePrinterServer&) = delete;

  void Start();  // serves on a thread of its own
  void Run();    // serves until Stop
  void Stop();

 private:
  struct Pair {
    HANDLE first = INVALID_HANDLE_VALUE;
    HANDLE second = INVALID_HANDLE_VALUE;
  };
  Pair CreatePair() const;
  static void ClosePair(Pair& pair);
  void ServeFrom(Pair next);
  bool Connect(HANDLE pipe);
  bool Pause(uint32_t ms);  // false when stopped meanwhile
  void Serve(const Pair& pair);
  bool WriteReply(HANDLE pipe, std::vector<ReplyPiece> pieces);

  PrinterFirmware& firmware_;
  std::string pipe_path_;
  HANDLE stop_;
  std::thread thread_;
  std::vector<uint8_t> undelivered_;
};

}  // namespace velmo::emulator
