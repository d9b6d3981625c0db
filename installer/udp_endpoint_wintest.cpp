// The UDP endpoint over loopback only: datagrams reach the handler on the
// creating thread one at a time, queries go out from the bound port, and
// closing never waits on a listener that waits on the window's thread.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loopback_socket_wintest.h"
#include "udp_endpoint_win.h"

namespace velmo {
namespace {

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

  LoopbackSocket printer;
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
  LoopbackSocket printer;
  endpoint.Send("127.0.0.1", printer.Port(), "0");
  const auto query = printer.Receive();
  ASSERT_TRUE(query);
  EXPECT_EQ(query->payload, "0");
  EXPECT_EQ(ntohs(query->sender.sin_port), endpoint.LocalPort()) << "replies must find the listener";
  EXPECT_THROW(endpoint.Send("not an address", printer.Port(), "0"), std::runtime_error);
}

TEST(UdpEndpoint, ClosingWhileTheListenerWaitsForThisThreadDropsTheDatagram) {
  int handled = 0;
  auto endpoint = std::make_unique<UdpEndpoint>([&](const std::string&) { ++handled; });
  endpoint->Activate();
  LoopbackSocket printer;
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
