#include <winsock2.h>
#include <ws2tcpip.h>

#include "udp_endpoint_win.h"

#include <stdexcept>
#include <vector>

#include "datagram_listener.h"
#include "error_box_win.h"

namespace velmo {
namespace {

constexpr UINT kDatagramMessage = WM_APP + 1;
constexpr wchar_t kHandOffClass[] = L"VelmoUdpHandOff";
constexpr int kMaxDatagram = 65536;
constexpr long kListenStepUs = 100000;
constexpr DWORD kPauseAfterFailureMs = 100;

[[noreturn]] void ThrowSocketError(const char* what) {
  throw std::runtime_error("Socket Error # " + std::to_string(WSAGetLastError()) + " (" + what + ")");
}

void RegisterHandOffClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHandOffClass;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

// One receive step on the endpoint's socket: waits in short steps, so that
// Close is seen whatever the socket layer does with a socket closed under a
// waiting receive.
class SocketSource : public DatagramSource {
 public:
  SocketSource(SOCKET socket, std::string& sender) : socket_(socket), sender_(sender), buffer_(kMaxDatagram) {}
  Received ReceiveStep() override {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval step{0, kListenStepUs};
    const int ready = select(0, &readable, nullptr, nullptr, &step);
    if (ready == 0) return {};
    if (ready == SOCKET_ERROR) return {ReceiveStatus::Failed, ""};
    sockaddr_in from{};
    int fromSize = sizeof from;
    const int received =
        recvfrom(socket_, buffer_.data(), int(buffer_.size()), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (received == SOCKET_ERROR) {
      // An ICMP "port unreachable" for an earlier query is reported here; the
      // socket is fine.
      if (WSAGetLastError() == WSAECONNRESET) return {};
      return {ReceiveStatus::Failed, ""};
    }
    const auto* octets = reinterpret_cast<const unsigned char*>(&from.sin_addr);
    sender_ = std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." + std::to_string(octets[2]) + "." +
              std::to_string(octets[3]);
    return {ReceiveStatus::Datagram, std::string(buffer_.data(), std::size_t(received))};
  }
  void PauseAfterFailure() override { Sleep(kPauseAfterFailureMs); }

 private:
  SOCKET socket_;
  std::string& sender_;
  std::vector<char> buffer_;
};

}  // namespace

UdpEndpoint::UdpEndpoint(ReadEvent onRead) : onRead_(std::move(onRead)) {
  RegisterHandOffClass(&UdpEndpoint::HandOffProc);
  handOff_ = CreateWindowExW(0, kHandOffClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
  if (!handOff_) throw std::runtime_error("no window for the UDP endpoint");
  SetWindowLongPtrW(handOff_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UdpEndpoint::~UdpEndpoint() {
  Close();
  DestroyWindow(handOff_);
  if (winsockStarted_) WSACleanup();
}

LRESULT CALLBACK UdpEndpoint::HandOffProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<UdpEndpoint*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == kDatagramMessage && self) {
    if (!self->closing_ && self->onRead_) {
      toolkit::Guarded([&] { self->onRead_(*reinterpret_cast<const std::string*>(lParam)); });
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void UdpEndpoint::SetBroadcastEnabled(bool enabled) {
  broadcast_ = enabled;
  if (Active()) ApplyBroadcast();
}

void UdpEndpoint::ApplyBroadcast() {
  const BOOL allowed = broadcast_ ? TRUE : FALSE;
  if (setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&allowed), sizeof allowed) != 0)
    ThrowSocketError("broadcast");
}

void UdpEndpoint::Activate() {
  if (Active() && !broken_) return;
  // A listener that gave up on its socket: the endpoint is made anew.
  Close();
  if (!winsockStarted_) {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("Socket Error: no socket library");
    winsockStarted_ = true;
  }
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) ThrowSocketError("socket");
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = 0;
  if (bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    const int error = WSAGetLastError();
    closesocket(s);
    WSASetLastError(error);
    ThrowSocketError("bind");
  }
  socket_ = std::uintptr_t(s);
  try {
    ApplyBroadcast();
  } catch (...) {
    closesocket(socket_);
    socket_ = kNoSocket;
    throw;
  }
  closing_ = false;
  broken_ = false;
  listener_ = CreateThread(nullptr, 0, &UdpEndpoint::ListenerMain, this, 0, nullptr);
  if (!listener_) {
    closesocket(socket_);
    socket_ = kNoSocket;
    throw std::runtime_error("no listener for the UDP endpoint");
  }
}

std::uint16_t UdpEndpoint::LocalPort() const {
  sockaddr_in local{};
  int length = sizeof local;
  if (!Active() || getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0) return 0;
  return ntohs(local.sin_port);
}

void UdpEndpoint::Send(const std::string& address, std::uint16_t port, std::string_view payload) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1)
    throw std::runtime_error("Socket Error: not an address: " + address);
  if (sendto(socket_, payload.data(), int(payload.size()), 0, reinterpret_cast<const sockaddr*>(&target),
             sizeof target) == SOCKET_ERROR)
    ThrowSocketError("send");
}

DWORD WINAPI UdpEndpoint::ListenerMain(void* self) {
  static_cast<UdpEndpoint*>(self)->Listen();
  return 0;
}

void UdpEndpoint::Listen() {
  SocketSource source{SOCKET(socket_), source_};
  const bool closed = ListenUntilClosed(source, closing_, [this](const std::string& datagram) {
    SendMessageW(handOff_, kDatagramMessage, 0, reinterpret_cast<LPARAM>(&datagram));
  });
  broken_ = !closed;
}

void UdpEndpoint::Close() {
  if (!Active()) return;
  closing_ = true;
  // The listener may be waiting in SendMessage for this thread: serve its
  // message while waiting, or neither would go on.
  while (MsgWaitForMultipleObjects(1, &listener_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(listener_);
  listener_ = nullptr;
  closesocket(socket_);
  socket_ = kNoSocket;
}

}  // namespace velmo
