#include "pipe_printer_server_win.h"

#include <algorithm>
#include <utility>

namespace velmo::emulator {
namespace {

constexpr DWORD kPipeBufferSize = 4096;

// One overlapped operation with its own event.
class PipeIo {
 public:
  PipeIo() { overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  ~PipeIo() { CloseHandle(overlapped_.hEvent); }
  OVERLAPPED* Overlapped() { return &overlapped_; }
  HANDLE Event() const { return overlapped_.hEvent; }
  // Finishes an operation that was started on `pipe`: the byte count or -1.
  long Finish(HANDLE pipe, BOOL started, bool wait) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return -1;
    DWORD bytes = 0;
    if (!GetOverlappedResult(pipe, &overlapped_, &bytes, wait)) return -1;
    return static_cast<long>(bytes);
  }

 private:
  OVERLAPPED overlapped_{};
};

bool WriteAll(HANDLE pipe, const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return true;
  PipeIo io;
  const BOOL started = WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, io.Overlapped());
  return io.Finish(pipe, started, true) == static_cast<long>(bytes.size());
}

}  // namespace

PipePrinterServer::PipePrinterServer(PrinterFirmware& firmware, std::string pipe_path)
    : firmware_(firmware), pipe_path_(std::move(pipe_path)), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

PipePrinterServer::~PipePrinterServer() {
  Stop();
  CloseHandle(stop_);
}

// The pipe exists when Start returns, so the host may open it at once.
void PipePrinterServer::Start() {
  const Pair first = CreatePair();
  thread_ = std::thread([this, first] { ServeFrom(first); });
}

void PipePrinterServer::Run() { ServeFrom(CreatePair()); }

void PipePrinterServer::Stop() {
  SetEvent(stop_);
  if (thread_.joinable()) thread_.join();
}

PipePrinterServer::Pair PipePrinterServer::CreatePair() const {
  const auto make = [this] {
    return CreateNamedPipeA(pipe_path_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
                            kPipeBufferSize, kPipeBufferSize, 0, nullptr);
  };
  return {make(), make()};
}

void PipePrinterServer::ClosePair(Pair& pair) {
  for (HANDLE* pipe : {&pair.first, &pair.second}) {
    if (*pipe == INVALID_HANDLE_VALUE) continue;
    DisconnectNamedPipe(*pipe);
    CloseHandle(*pipe);
    *pipe = INVALID_HANDLE_VALUE;
  }
}

bool PipePrinterServer::Connect(HANDLE pipe) {
  PipeIo io;
  if (ConnectNamedPipe(pipe, io.Overlapped()) || GetLastError() == ERROR_PIPE_CONNECTED) return true;
  if (GetLastError() != ERROR_IO_PENDING) return false;
  const HANDLE events[] = {io.Event(), stop_};
  if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) return true;
  CancelIo(pipe);
  io.Finish(pipe, FALSE, true);
  return false;
}

bool PipePrinterServer::Pause(uint32_t ms) { return WaitForSingleObject(stop_, ms) == WAIT_TIMEOUT; }

void PipePrinterServer::ServeFrom(Pair next) {
  // The next pair listens while the current one is served, so that the host
  // finds the pipe at once for its next exchange.
  while (next.first != INVALID_HANDLE_VALUE && next.second != INVALID_HANDLE_VALUE) {
    if (!Connect(next.first) || !Connect(next.second)) {
      if (WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0) break;
      // A host that opened and closed again before it was served (it gave up
      // waiting, or its second open failed) leaves this pair unusable; the
      // printer must not vanish for it.
      ClosePair(next);
      next = CreatePair();
      continue;
    }
    Pair current = next;
    next = CreatePair();
    Serve(current);
    ClosePair(current);
    if (const auto absence = firmware_.TakeAbsence()) {
      ClosePair(next);
      if (!Pause(*absence)) return;
      next = CreatePair();
    }
  }
  ClosePair(next);
}

// The host writes only on its write handle, so the side whose read brings
// bytes is the request side and the other one gets the replies. Old output
// goes to both: the write side never reads it.
void PipePrinterServer::Serve(const Pair& pair) {
  const std::vector<uint8_t> old_output = std::exchange(undelivered_, {});
  if (!WriteAll(pair.first, old_output) || !WriteAll(pair.second, old_output)) return;

  uint8_t first_bytes[kPipeBufferSize], second_bytes[kPipeBufferSize];
  PipeIo first_io, second_io;
  const BOOL first_started = ReadFile(pair.first, first_bytes, sizeof first_bytes, nullptr, first_io.Overlapped());
  const DWORD first_error = GetLastError();
  const BOOL second_started =
      ReadFile(pair.second, second_bytes, sizeof second_bytes, nullptr, second_io.Overlapped());
  const DWORD second_error = GetLastError();
  const HANDLE events[] = {first_io.Event(), second_io.Event(), stop_};
  const DWORD woken = WaitForMultipleObjects(3, events, FALSE, INFINITE);
  const bool first_is_request = woken == WAIT_OBJECT_0;
  if (woken != WAIT_OBJECT_0 && woken != WAIT_OBJECT_0 + 1) return;

  const HANDLE request_pipe = first_is_request ? pair.first : pair.second;
  const HANDLE reply_pipe = first_is_request ? pair.second : pair.first;
  PipeIo& request_io = first_is_request ? first_io : second_io;
  PipeIo& idle_io = first_is_request ? second_io : first_io;
  uint8_t* request_bytes = first_is_request ? first_bytes : second_bytes;
  SetLastError(first_is_request ? first_error : second_error);
  long count = request_io.Finish(request_pipe, first_is_request ? first_started : second_started, true);
  CancelIo(reply_pipe);
  idle_io.Finish(reply_pipe, FALSE, true);

  std::vector<uint8_t> input;
  while (count > 0) {
    input.insert(input.end(), request_bytes, request_bytes + count);
    for (auto length = PrinterFirmware::FrameLength(input); length && *length <= input.size();
         length = PrinterFirmware::FrameLength(input)) {
      const std::vector<uint8_t> frame(input.begin(), input.begin() + static_cast<long>(*length));
      input.erase(input.begin(), input.begin() + static_cast<long>(*length));
      if (!WriteReply(reply_pipe, firmware_.Handle(frame))) return;
    }
    PipeIo io;
    count = io.Finish(request_pipe, ReadFile(request_pipe, request_bytes, kPipeBufferSize, nullptr, io.Overlapped()),
                      true);
  }
}

// Pieces that find the host gone stay in the device for the next exchange.
bool PipePrinterServer::WriteReply(HANDLE pipe, std::vector<ReplyPiece> pieces) {
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (!Pause(pieces[i].delay_ms)) return false;
    if (WriteAll(pipe, pieces[i].bytes)) continue;
    for (; i < pieces.size(); ++i) undelivered_.insert(undelivered_.end(), pieces[i].bytes.begin(), pieces[i].bytes.end());
    return false;
  }
  return true;
}

}  // namespace velmo::emulator
