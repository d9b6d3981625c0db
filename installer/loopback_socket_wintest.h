#pragma once
// A plain UDP socket on a loopback address that plays the other end of the
// installer's endpoint in tests and the benchmark, and a message pump that
// waits for a condition. Loopback only: nothing leaves the machine.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velmo {

class LoopbackSocket {
 public:
  struct Datagram {
    std::string payload;
    sockaddr_in sender;
  };

  // Bound to `address`:`port` (0: any free port); receives wait at most
  // `waitMs`.
  explicit LoopbackSocket(const char* address = "127.0.0.1", std::uint16_t port = 0, DWORD waitMs = 2000) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const BOOL reuse = TRUE;
    setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = inet_addr(address);
    local.sin_port = htons(port);
    bound_ = bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    int length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&waitMs), sizeof waitMs);
  }
  ~LoopbackSocket() {
    closesocket(socket_);
    WSACleanup();
  }
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;

  bool Bound() const { return bound_; }
  std::uint16_t Port() const { return port_; }

  void SendTo(std::uint16_t port, const std::string& payload) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    target.sin_port = htons(port);
    Send(target, payload);
  }
  void Reply(const Datagram& to, const std::string& payload) { Send(to.sender, payload); }

  // Nothing when no datagram came in time.
  std::optional<Datagram> Receive() {
    char buffer[1024];
    Datagram got{};
    int length = sizeof got.sender;
    const int size = recvfrom(socket_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&got.sender), &length);
    if (size < 0) return std::nullopt;
    got.payload.assign(buffer, std::size_t(size));
    return got;
  }

 private:
  void Send(const sockaddr_in& target, const std::string& payload) {
    sendto(socket_, payload.data(), int(payload.size()), 0, reinterpret_cast<const sockaddr*>(&target),
           sizeof target);
  }

  SOCKET socket_;
  bool bound_ = false;
  std::uint16_t port_ = 0;
};

// Runs this thread's messages until `done` or `limitMs` have passed.
template <class Done>
bool PumpUntil(Done done, DWORD limitMs = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    // One message at a time: the condition is seen right after the message
    // that brought it about, before any other runs.
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&message);
    else
      Sleep(1);
  }
  return true;
}

}  // namespace velmo
