// The UDP endpoint over loopback only: datagrams reach the handler on the
// creating thread one at a time, queries go out from the bound port, and
// closing never waits on a listener that waits on the window's thread.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "udp_endpoint_win.h"

namespace velmo {
namespace {

// A plain socket on 127.0.0.1 that plays the printer.
class LoopbackPeer {
 public:
  LoopbackPeer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local = Address(0);
    bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local);
    int length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
    DWORD waitMs = 2000;
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&waitMs), sizeof waitMs);
  }
  ~LoopbackPeer() {
    closesocket(socket_);
    WSACleanup();
  }
  static sockaddr_in Address(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
  }
  void SendTo(std::uint16_t port, const std::string& payload) {
    const sockaddr_in target = Address(port);
    sendto(socket_, payload.data(), int(payload.size()), 0, reinterpret_cast<const sockaddr*>(&target), sizeof target);
  }
  // The payload and the sender's port, or nothing after two seconds.
  std::optional<std::pair<std::string, std::uint16_t>> Receive() {
    char buffer[512];
    sockaddr_in from{};
    int length = sizeof from;
    const int got = recvfrom(socket_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (got < 0) return std::nullopt;
    return std::make_pair(std::string(buffer, std::size_t(got)), ntohs(from.sin_port));
  }
  std::uint16_t Port() const { return port_; }

 private:
  SOCKET socket_;
  std::uint16_t port_ = 0;
};

// Runs this thread's messages until `done` or two seconds have passed.
template <class Done>
bool PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 2000) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(1);
  }
  return true;
}

TEST(UdpEndpoint, DatagramsAreHandledOnTheCreatingThreadInOrderOneAtATime) {
  std::vector<std::string> received;
  bool inside = false, overlapped = false, otherThread = false;
  const DWORD self = GetCurrentThreadId();
  UdpEndpoint endpoint([&](const std::string& datagram) {
    overlapped |= inside;
    otherThread |= GetCurrentThreadId() != self;
    inside = true;
    Sleep(30);
    received.push_back(datagram);
    inside = false;
  });
  EXPECT_FALSE(endpoint.Active());
  endpoint.Activate();
  ASSERT_TRUE(endpoint.Active());
  const std::uint16_t port = endpoint.LocalPort();
  EXPECT_NE(port, 0);
  endpoint.Activate();
  EXPECT_EQ(endpoint.LocalPort(), port) << "a second activation binds nothing new";

  LoopbackPeer printer;
  using namespace std::string_literals;
  for (const std::string& payload : {"first"s, "second\0with zero"s, "third"s}) printer.SendTo(port, payload);
  ASSERT_TRUE(PumpUntil([&] { return received.size() == 3; })) << received.size();
  EXPECT_EQ(received, (std::vector<std::string>{"first", "second\0with zero"s, "third"}));
  EXPECT_FALSE(overlapped);
  EXPECT_FALSE(otherThread);
}

TEST(UdpEndpoint, QueriesLeaveFromTheBoundPort) {
  UdpEndpoint endpoint([](const std::string&) {});
  endpoint.SetBroadcastEnabled(true);
  endpoint.Activate();
  LoopbackPeer printer;
  endpoint.Send("127.0.0.1", printer.Port(), "0");
  const auto query = printer.Receive();
  ASSERT_TRUE(query);
  EXPECT_EQ(query->first, "0");
  EXPECT_EQ(query->second, endpoint.LocalPort()) << "replies must find the listener";
  EXPECT_THROW(endpoint.Send("not an address", printer.Port(), "0"), std::runtime_error);
}

TEST(UdpEndpoint, ClosingWhileTheListenerWaitsForThisThreadDropsTheDatagram) {
  int handled = 0;
  auto endpoint = std::make_unique<UdpEndpoint>([&](const std::string&) { ++handled; });
  endpoint->Activate();
  LoopbackPeer printer;
  printer.SendTo(endpoint->LocalPort(), "late");
  Sleep(300);  // no messages run: the listener now waits in its hand-off
  const DWORD start = GetTickCount();
  endpoint->Close();
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(endpoint->Active());
  EXPECT_EQ(handled, 0);
  endpoint.reset();

  // Closed and activated again, it receives once more.
  UdpEndpoint again([&](const std::string&) { ++handled; });
  again.Activate();
  again.Close();
  again.Activate();
  printer.SendTo(again.LocalPort(), "x");
  EXPECT_TRUE(PumpUntil([&] { return handled == 1; }));
}

}  // namespace
}  // namespace velmo
