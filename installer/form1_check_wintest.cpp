// Form1's address check against printers on loopback: the query goes to the
// typed address alone, the answer names and selects the model, and an
// address where nothing listens says so after the wait.
#include <chrono>

#include "form1_fixture_wintest.h"
#include "loopback_socket_wintest.h"
#include "text_win.h"

namespace velmo {
namespace {

using Form1Check = Form1Fixture;
using Clock = std::chrono::steady_clock;

// A printer on a loopback address of its own that no other test uses.
// Wine gives every loopback datagram the source 127.0.0.1, whatever the
// sender's address: the printer sits there, so its replies come from the
// checked address.
constexpr char kPrinterAddress[] = "127.0.0.1";
constexpr char kSilentAddress[] = "127.0.0.78";

TEST_F(Form1Check, AnAnsweringPrinterIsNamedAndItsModelSelected) {
  LoopbackSocket printer(kPrinterAddress, kDiscoveryPort, 3000);
  ASSERT_TRUE(printer.Bound()) << "port 3000 on " << kPrinterAddress << " is taken";
  TForm1& f = Build(1, 0);
  f.Show();
  EXPECT_EQ(f.ButtonCheckAddress->Caption(), L"Chec&k");
  EXPECT_FALSE(f.ButtonCheckAddress->Enabled()) << "no address yet";
  f.LabeledEditIP->SetText(L"127.0.0");
  EXPECT_FALSE(f.ButtonCheckAddress->Enabled());
  f.LabeledEditIP->SetText(L" 127.0.0.1 ");
  ASSERT_TRUE(f.ButtonCheckAddress->Enabled());

  const Clock::time_point click = Clock::now();
  f.ButtonCheckAddress->Click();
  EXPECT_EQ(f.LabelAddressAnswer->Caption(), L"Checking...");
  const std::optional<LoopbackSocket::Datagram> query = printer.Receive();
  ASSERT_TRUE(query);
  EXPECT_EQ(query->payload, "0");
  // The checked address's reply is the answer even when its printer reports
  // another address (address translation, a stale setting); that replies
  // from elsewhere are not is tested without Wine's loopback.
  printer.Reply(*query, "IP:192.168.1.50;DEVICENAME:lt43;");
  ASSERT_TRUE(PumpUntil([&] { return f.LabelAddressAnswer->Caption() != L"Checking..."; }));
  const auto answeredMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - click).count();
  EXPECT_EQ(f.LabelAddressAnswer->Caption(), L"Velmo LT43 answered at 127.0.0.1; it reports 192.168.1.50.");
  EXPECT_EQ(f.ComboBoxDriverNames->ItemIndex(), 1);
  EXPECT_TRUE(f.ButtonInstall->Enabled()) << "address and model are both given now";
  EXPECT_LT(answeredMs, 1000);
  std::printf("click to answer: %lld ms\n", static_cast<long long>(answeredMs));
}

TEST_F(Form1Check, AnAddressWhereNothingListensIsReportedAfterTheWait) {
  TForm1& f = Build(0, 0);
  f.Show();
  EXPECT_EQ(f.ButtonCheckAddress->Caption(), L"检查(&K)");
  f.ComboBoxDriverNames->SetItemIndex(0);
  f.LabeledEditIP->SetText(WidenAnsi(kSilentAddress));
  const Clock::time_point click = Clock::now();
  f.ButtonCheckAddress->Click();
  EXPECT_EQ(f.LabelAddressAnswer->Caption(), L"正在检查...");
  ASSERT_TRUE(PumpUntil([&] { return f.LabelAddressAnswer->Caption() != L"正在检查..."; }, 3000));
  const auto waitedMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - click).count();
  EXPECT_EQ(f.LabelAddressAnswer->Caption(), WidenAnsi(kSilentAddress) + L" 无应答。");
  EXPECT_GE(waitedMs, 900);
  EXPECT_LT(waitedMs, 2000);
  EXPECT_EQ(f.ComboBoxDriverNames->ItemIndex(), 0) << "the model stays";
  EXPECT_TRUE(installation_.steps.empty()) << "a check installs nothing";
}

}  // namespace
}  // namespace velmo
