// Two real windows on one thread exchange WM_COPYDATA, as the settings window
// and the driver's page do.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Received {
  HWND from = nullptr;
  ULONG_PTR code = 0;
  std::string text;
};

LRESULT CALLBACK EchoProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_COPYDATA && received) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    received->from = reinterpret_cast<HWND>(wparam);
    received->code = data->dwData;
    received->text.assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

HWND MakeWindow(Received* received) {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = EchoProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoCopyDataTest";
    return RegisterClassW(&wc);
  }();
  EXPECT_NE(atom, 0);
  HWND hwnd = CreateWindowExW(0, L"VelmoCopyDataTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(received));
  return hwnd;
}

LRESULT Send(HWND from, HWND to, ULONG_PTR code, const std::string& text) {
  COPYDATASTRUCT data{code, DWORD(text.size()), const_cast<char*>(text.data())};
  return SendMessageW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data));
}

TEST(CopyData, RoundTripBetweenTwoWindows) {
  Received at_page, at_settings;
  HWND page = MakeWindow(&at_page);
  HWND settings = MakeWindow(&at_settings);
  ASSERT_TRUE(page && settings);

  EXPECT_EQ(Send(settings, page, 3, std::string("Halftone", 9)), TRUE);
  EXPECT_EQ(at_page.from, settings);
  EXPECT_EQ(at_page.code, 3u);
  EXPECT_EQ(at_page.text, std::string("Halftone", 9));

  Send(page, at_page.from, 1, std::string("DITHER", 7));
  EXPECT_EQ(at_settings.from, page);
  EXPECT_EQ(at_settings.code, 1u);
  EXPECT_EQ(at_settings.text, std::string("DITHER", 7));

  DestroyWindow(page);
  DestroyWindow(settings);
}

}  // namespace
