#pragma once
// IdUDPServer1: the installer's UDP endpoint. It binds on first activation,
// receives on a listener thread of its own, and hands each datagram to the
// thread that created it, waiting until the handler has run there, so the
// handler never runs beside the window's own work.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velmo {

class UdpEndpoint {
 public:
  using ReadEvent = std::function<void(const std::string& datagram)>;

  // Inactive until Activate; `onRead` runs on the creating thread.
  explicit UdpEndpoint(ReadEvent onRead);
  ~UdpEndpoint();
  UdpEndpoint(const UdpEndpoint&) = delete;
  UdpEndpoint& operator=(const UdpEndpoint&) = delete;

  void SetBroadcastEnabled(bool enabled);
  // Binds to port 0 on all local IPv4 addresses and starts receiving; later
  // calls change nothing, unless the listener gave up on a socket that kept
  // failing: then the endpoint is closed and bound anew. Throws when the
  // socket cannot be had.
  void Activate();
  bool Active() const { return socket_ != kNoSocket; }
  std::uint16_t LocalPort() const;
  // Throws when the datagram cannot be sent.
  void Send(const std::string& address, std::uint16_t port, std::string_view payload);
  // The dotted address the datagram being handled came from; valid while
  // `onRead` runs.
  const std::string& CurrentSource() const { return source_; }
  // Stops receiving and waits for the listener; datagrams not yet handled
  // are dropped. The endpoint can be activated again.
  void Close();

 private:
  static LRESULT CALLBACK HandOffProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static DWORD WINAPI ListenerMain(void* self);
  void Listen();
  void ApplyBroadcast();

  ReadEvent onRead_;
  // Written by the listener before it hands a datagram over and waits.
  std::string source_;
  HWND handOff_ = nullptr;
  // A SOCKET, kept as its integer so that this header needs no winsock2.h.
  static constexpr std::uintptr_t kNoSocket = ~std::uintptr_t(0);
  std::uintptr_t socket_ = kNoSocket;
  bool broadcast_ = false;
  bool winsockStarted_ = false;
  std::atomic<bool> closing_{false};
  std::atomic<bool> broken_{false};  // the listener ended on lasting errors
  HANDLE listener_ = nullptr;
};

}  // namespace velmo
