#include "fake_plugin_wintest.h"

#include <algorithm>
#include <cstring>

namespace velmo {

FakePluginWindow::FakePluginWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelmoFakePlugin";
  RegisterClassW(&wc);
  hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                          wc.hInstance, this);
}

FakePluginWindow::~FakePluginWindow() { DestroyWindow(hwnd_); }

int FakePluginWindow::CountOf(ULONG_PTR code) const { return int(PayloadsOf(code).size()); }

std::vector<std::string> FakePluginWindow::PayloadsOf(ULONG_PTR code) const {
  std::vector<std::string> payloads;
  for (const Request& r : requests)
    if (r.code == code) payloads.push_back(r.payload);
  return payloads;
}

LRESULT CALLBACK FakePluginWindow::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  auto* self = reinterpret_cast<FakePluginWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_COPYDATA && self) {
    self->OnRequest(reinterpret_cast<HWND>(wparam), *reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    return TRUE;
  }
  if (msg == WM_TIMER && self && self->late_.count(wparam)) {
    KillTimer(hwnd, wparam);
    const Reply reply = self->late_[wparam];
    self->late_.erase(wparam);
    self->Send(reply);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

void FakePluginWindow::OnRequest(HWND sender, const COPYDATASTRUCT& request) {
  const HWND from = reply_to ? reply_to() : sender;
  const char* bytes = static_cast<const char*>(request.lpData);
  const std::string payload(bytes, strnlen(bytes, request.cbData));
  requests.push_back({request.dwData, payload});
  if (on_request) on_request(requests.back());
  if (unanswered.count(payload)) return;
  std::string reply;
  switch (request.dwData) {
    case 1:
      for (const std::string& k : supported) {
        std::string entry = k;
        entry.resize(64, '\0');
        reply += entry;
      }
      break;
    case 3: {
      auto it = options.find(payload);
      if (it != options.end()) reply = it->second + '\0';
      break;
    }
    case 4: {
      const size_t eq = payload.find('=');
      options[payload.substr(0, eq)] = payload.substr(eq + 1);
      break;
    }
    case 6:
      reply = paper + '\0';
      break;
  }
  if (!slow) return Send({from, request.dwData, reply});
  const UINT_PTR timer = next_timer_++;
  late_[timer] = {from, request.dwData, reply};
  SetTimer(hwnd_, timer, 60 + UINT(timer * 13 % 31), nullptr);
}

void FakePluginWindow::Send(const Reply& reply) {
  COPYDATASTRUCT data{reply.code, DWORD(reply.bytes.size()), const_cast<char*>(reply.bytes.data())};
  SendMessageW(reply.to, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd_), reinterpret_cast<LPARAM>(&data));
}

}  // namespace velmo
