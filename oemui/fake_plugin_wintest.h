#pragma once
// An in-process stand-in for the driver's plug-in: a window that answers the
// settings window's WM_COPYDATA requests from a map of options, for tests.
#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velmo {

class FakePluginWindow {
 public:
  struct Request {
    ULONG_PTR code;
    std::string payload;
  };

  FakePluginWindow();
  ~FakePluginWindow();
  HWND Handle() const { return hwnd_; }

  std::map<std::string, std::string> options;
  std::vector<std::string> supported;  // EnumFeatures' answer
  std::set<std::string> unanswered;    // payloads that get no reply ("EnumFeatures" for the list)
  std::vector<Request> requests;
  std::string paper = "1";  // the reply to request 6
  // A slow page answers each request after 60 to 90 ms, from a timer, as
  // the settings window's wait handles its messages.
  bool slow = false;
  // Runs as each request arrives, before it is answered.
  std::function<void(const Request&)> on_request;
  // Where the replies go instead of the request's sender, when set.
  std::function<HWND()> reply_to;

  int CountOf(ULONG_PTR code) const;
  std::vector<std::string> PayloadsOf(ULONG_PTR code) const;

 private:
  struct Reply {
    HWND to;
    ULONG_PTR code;
    std::string bytes;
  };

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void OnRequest(HWND from, const COPYDATASTRUCT& request);
  void Send(const Reply& reply);
  HWND hwnd_;
  std::map<UINT_PTR, Reply> late_;
  UINT_PTR next_timer_ = 1;
};

}  // namespace velmo
