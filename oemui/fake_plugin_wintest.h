#pragma once
// An in-process stand-in for the driver's plug-in: a window that answers the
// settings window's WM_COPYDATA requests from a map of options, for tests.
#include <windows.h>

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
  std::set<std::string> unanswered;    // reads that get no reply
  std::vector<Request> requests;
  int paper = 1;

  int CountOf(ULONG_PTR code) const;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void OnRequest(HWND from, const COPYDATASTRUCT& request);
  HWND hwnd_;
};

}  // namespace velmo
