// Discovery: the device console tool's status read into USB rows, the rows'
// add and remove rules, and the network printers' replies.
#include <gtest/gtest.h>

#include <map>

#include "devcon_status.h"
#include "found_printers.h"
#include "network_discovery.h"
#include "usb_scan.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;

const char kTwoPrinters[] =
    "USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001\r\n"
    "    Name: Velmo LT42\r\n"
    "    Driver is running.\r\n"
    "USBPRINT\\VELMOLT43\\7&11AA22&0&USB002\r\n"
    "    Name: Velmo LT43\r\n"
    "    Driver is running.\r\n"
    "2 matching device(s) found.\r\n";

TEST(DevconStatus, PairsEachIdWithTheNameLineAfterIt) {
  const UsbDevices found = ParseDevconStatus(kTwoPrinters, "USBPRINT\\VELMO*");
  EXPECT_EQ(found.ids, (Texts{"USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001", "USBPRINT\\VELMOLT43\\7&11AA22&0&USB002"}));
  EXPECT_EQ(found.names, (Texts{"Velmo LT42", "Velmo LT43"}));
}

TEST(DevconStatus, TheSummaryLineIsNotRead) {
  // A summary that happens to hold the search text is no device.
  const UsbDevices found = ParseDevconStatus("USBPRINT\\VELMO summary only", "USBPRINT\\VELMO*");
  EXPECT_TRUE(found.ids.empty());
  EXPECT_TRUE(ParseDevconStatus("No matching devices found.\r\n", "USBPRINT\\VELMO*").ids.empty());
  EXPECT_TRUE(ParseDevconStatus("", "USBPRINT\\VELMO*").ids.empty());
}

TEST(DevconStatus, LinesEndInCrLfCrOrLfAlike) {
  const UsbDevices found = ParseDevconStatus(
      "USBPRINT\\VELMOA\\1&USB001\rName: A\nUSBPRINT\\VELMOB\\1&USB002\r\n  Name: B\r\rsummary", "USBPRINT\\VELMO*");
  EXPECT_EQ(found.ids.size(), 2u);
  EXPECT_EQ(found.names, (Texts{"A", "B"}));
}

TEST(DevconStatus, SearchIsExactCaseAndTheNameIsTheTextAfterTheFirstMarker) {
  const UsbDevices found = ParseDevconStatus(
      "usbprint\\velmolt42\\1&USB009\r\n    Name: lower case id\r\n"
      "USBPRINT\\VELMOLT42\\7&2&USB001\r\n    Name: Front Name: desk\r\nsummary\r\n",
      "USBPRINT\\VELMO*");
  EXPECT_EQ(found.ids, Texts{"USBPRINT\\VELMOLT42\\7&2&USB001"});
  EXPECT_EQ(found.names, Texts{"Front Name: desk"});
}

TEST(DevconStatus, AnIdWithoutANameKeepsTheListsAligned) {
  const UsbDevices found = ParseDevconStatus(
      "USBPRINT\\VELMOLT42\\7&2&USB001\r\n    Driver is running.\r\n"  // no name before the next ID
      "USBPRINT\\VELMOLT43\\7&3&USB002\r\n    Name: Velmo LT43\r\n"
      "USBPRINT\\VELMOLP80\\7&4&USB003\r\n    Driver is running.\r\n"  // none before the summary
      "3 matching device(s) found.\r\n",
      "USBPRINT\\VELMO*");
  ASSERT_EQ(found.ids.size(), 3u);
  EXPECT_EQ(found.names,
            (Texts{"USBPRINT\\VELMOLT42\\7&2&USB001", "Velmo LT43", "USBPRINT\\VELMOLP80\\7&4&USB003"}));
}

TEST(DevconStatus, PortIsTheTextAfterTheLastAmpersand) {
  EXPECT_EQ(PortOfDeviceId("USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001"), "USB001");
  EXPECT_EQ(PortOfDeviceId("USBPRINT\\VELMOLT42\\USB004"), "USB004") << "no \"&\": after the last \"\\\"";
  EXPECT_EQ(PortOfDeviceId("USB005"), "USB005");
  EXPECT_EQ(PortOfDeviceId("USBPRINT\\X\\7&"), "");
}

TEST(DevconStatus, PatternIsTheUpperCaseBrandWithinItsBuffer) {
  EXPECT_EQ(UsbSearchPattern("Velmo"), "USBPRINT\\VELMO*");
  const std::string fits(kMaxUsbPatternLength - 10, 'a');  // "USBPRINT\" and "*" take 10
  EXPECT_EQ(UsbSearchPattern(fits)->size(), kMaxUsbPatternLength);
  EXPECT_FALSE(UsbSearchPattern(fits + "a"));
}

class RecordedRows : public PrinterRowsView {
 public:
  void RowAppended(const PrinterRow& row) override { events.push_back("+" + row.caption + "|" + row.port); }
  void RowRemoved(std::size_t index) override { events.push_back("-" + std::to_string(index)); }
  Texts events;
};

TextList List(const Texts& texts) {
  TextList list;
  for (const std::string& text : texts) list.Add(text);
  return list;
}

TEST(FoundPrinters, UsbRowsFollowEachSearchAndNetworkRowsStay) {
  RecordedRows view;
  FoundPrinters rows(view);
  rows.FollowUsbDevices(List({"USBPRINT\\A\\1&USB001", "USBPRINT\\B\\1&USB002", "USBPRINT\\C\\1&USB003"}),
                        List({"A", "B", "C"}));
  rows.AddNetworkPrinter("Velmo LT42", "192.168.1.50");
  rows.FollowUsbDevices(List({"USBPRINT\\A\\1&USB001", "USBPRINT\\B\\1&USB002", "USBPRINT\\C\\1&USB003"}),
                        List({"A", "B", "C"}));
  EXPECT_EQ(view.events, (Texts{"+A|USB001", "+B|USB002", "+C|USB003", "+Velmo LT42|192.168.1.50"}))
      << "a second search of the same printers changes nothing";

  view.events.clear();
  // B and C, neighbours, are unplugged and D is plugged in: both go at once.
  rows.FollowUsbDevices(List({"USBPRINT\\D\\1&USB004", "USBPRINT\\A\\1&USB001"}), List({"D", "A"}));
  EXPECT_EQ(view.events, (Texts{"+D|USB004", "-2", "-1"}));
  ASSERT_EQ(rows.Rows().size(), 3u);
  EXPECT_EQ(rows.Rows()[0].caption, "A");
  EXPECT_EQ(rows.Rows()[1].key, "192.168.1.50");
  EXPECT_EQ(rows.Rows()[2].key, "USBPRINT\\D\\1&USB004");

  rows.FollowUsbDevices(TextList{}, TextList{});
  ASSERT_EQ(rows.Rows().size(), 1u) << "a failed search removes every USB row and no network row";
  EXPECT_FALSE(IsUsbRow(rows.Rows()[0]));
}

TEST(FoundPrinters, ARowIsUsbByItsKeyInExactCase) {
  EXPECT_TRUE(IsUsbRow({"x", "USB001", "USBPRINT\\A\\1&USB001"}));
  EXPECT_FALSE(IsUsbRow({"x", "10.0.0.9", "10.0.0.9"}));
  EXPECT_FALSE(IsUsbRow({"x", "usb1", "usbprint\\a"}));
}

TEST(FoundPrinters, APrinterAtAnAddressIsListedOnce) {
  RecordedRows view;
  FoundPrinters rows(view);
  rows.AddNetworkPrinter("Velmo LT42", "192.168.1.50");
  rows.AddNetworkPrinter("Velmo LT43", "192.168.1.50");
  rows.AddNetworkPrinter("Velmo LT42", "192.168.1.51");
  EXPECT_EQ(view.events, (Texts{"+Velmo LT42|192.168.1.50", "+Velmo LT42|192.168.1.51"}))
      << "two printers of one model are two rows";
}

// The device console tool as scripted output per pattern, recording its runs.
struct ScriptedDevcon {
  std::map<std::string, std::string> outputs;
  Texts runs;
  DevconRunner Runner() {
    return [this](const std::string& arguments, std::string& output) {
      runs.push_back(arguments);
      const auto found = outputs.find(arguments);
      if (found == outputs.end()) return -1;
      output = found->second;
      return 0;
    };
  }
};

TEST(UsbScan, OneStatusPerBrandWordInOrderAndTheRowsFollow) {
  ScriptedDevcon devcon;
  devcon.outputs["status USBPRINT\\VELMO*"] = kTwoPrinters;
  devcon.outputs["status USBPRINT\\OTHER*"] = "USBPRINT\\OTHERX1\\5&1&USB007\r\n Name: Other X1\r\n1 found.\r\n";
  RecordedRows view;
  FoundPrinters rows(view);
  TextList ids, names;
  ids.Add("stale");
  FollowUsbSearch(SearchUsbDevices(devcon.Runner(), {"Velmo", "other"}, {}).devices, ids, names, rows);
  EXPECT_EQ(devcon.runs, (Texts{"status USBPRINT\\VELMO*", "status USBPRINT\\OTHER*"}));
  EXPECT_EQ(ids.Count(), 3u);
  EXPECT_EQ(names.Items(), (Texts{"Velmo LT42", "Velmo LT43", "Other X1"}));
  EXPECT_EQ(view.events, (Texts{"+Velmo LT42|USB001", "+Velmo LT43|USB002", "+Other X1|USB007"}));

  devcon.outputs.erase("status USBPRINT\\VELMO*");  // the tool fails for one brand
  FollowUsbSearch(SearchUsbDevices(devcon.Runner(), {"Velmo", "other"}, {}).devices, ids, names, rows);
  EXPECT_EQ(ids.Items(), Texts{"USBPRINT\\OTHERX1\\5&1&USB007"});
  ASSERT_EQ(rows.Rows().size(), 1u);
  EXPECT_EQ(rows.Rows()[0].caption, "Other X1");
}

TEST(UsbScan, AToolThatCannotBeNamedOnACommandLineEndsTheSearchAndSaysSo) {
  ScriptedDevcon devcon;
  devcon.outputs["status USBPRINT\\OTHER*"] = "USBPRINT\\OTHERX1\\5&1&USB007\r\n Name: Other X1\r\n1 found.\r\n";
  const UsbSearch failing = SearchUsbDevices(devcon.Runner(), {"Velmo", "other"}, {});
  EXPECT_FALSE(failing.notBuilt) << "a tool that failed for one brand is no reason";
  EXPECT_EQ(failing.devices.ids.size(), 1u);

  devcon.runs.clear();
  const DevconRunner tooLong = [&](const std::string& arguments, std::string&) {
    devcon.runs.push_back(arguments);
    return kDevconNotBuilt;
  };
  const UsbSearch refused = SearchUsbDevices(tooLong, {"Velmo", "other"}, {});
  EXPECT_TRUE(refused.notBuilt);
  EXPECT_TRUE(refused.devices.ids.empty());
  EXPECT_EQ(devcon.runs.size(), 1u) << "the next brand would fail the same way";
}

TEST(UsbScan, NoBrandWordsRunNothing) {
  ScriptedDevcon devcon;
  EXPECT_TRUE(SearchUsbDevices(devcon.Runner(), {}, {}).devices.ids.empty());
  EXPECT_TRUE(devcon.runs.empty());
}

TEST(UsbScan, OutputPastItsBufferIsCutAndStillPaired) {
  ScriptedDevcon devcon;
  std::string output;
  int devices = 0;
  while (output.size() < 2 * kMaxCapturedOutput) {
    output += "USBPRINT\\VELMOLT42\\7&" + std::to_string(devices) + "&USB" + std::to_string(devices) +
              "\r\n    Name: Velmo LT42\r\n";
    ++devices;
  }
  devcon.outputs["status USBPRINT\\VELMO*"] = output;
  TextList ids, names;
  DevconStatus(devcon.Runner(), "USBPRINT\\VELMO*", ids, names);
  EXPECT_GT(ids.Count(), 100u);
  EXPECT_LT(ids.Count() * 100, std::size_t(devices) * 55) << "only the first 65,535 bytes are read";
  EXPECT_EQ(ids.Count(), names.Count());
}

const Texts kModels = {"Velmo LT42", "Velmo LT43", "Solo"};

std::optional<DiscoveryReply> Read(std::string_view payload) { return ReadDiscoveryReply(payload, kModels); }

TEST(DiscoveryReply, BothFieldsInEitherOrderWithOrWithoutTheFinalSemicolon) {
  const auto first = Read("IP:192.168.1.50;DEVICENAME:lt42;");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->model, "Velmo LT42");
  EXPECT_EQ(first->address, "192.168.1.50");
  const auto second = Read("DEVICENAME:LT42;IP:192.168.1.50");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->model, "Velmo LT42");
  EXPECT_EQ(second->address, "192.168.1.50");
  const auto withOthers = Read("MAC:00:11;IP:10.0.0.7;SN:9;DEVICENAME:Lt43;FW:1.2");
  ASSERT_TRUE(withOthers);
  EXPECT_EQ(withOthers->model, "Velmo LT43");
  EXPECT_EQ(Read("IP:10.0.0.8;DEVICENAME:solo")->model, "Solo") << "a one-word model is matched whole";
}

TEST(DiscoveryReply, RepliesWithoutAFieldOrAKnownModelAreDropped) {
  EXPECT_FALSE(Read("DEVICENAME:LT42;"));
  EXPECT_FALSE(Read("IP:192.168.1.50;"));
  EXPECT_FALSE(Read("IP:192.168.1.50;DEVICENAME:Velmo LT42;")) << "the brand word is not part of the name";
  EXPECT_FALSE(Read("IP:192.168.1.50;DEVICENAME:LT4;"));
  EXPECT_FALSE(Read("IP:192.168.1.50;DEVICENAME:;"));
  EXPECT_FALSE(Read("ip:192.168.1.50;DEVICENAME:LT42;")) << "field names are exact case";
}

TEST(AddressCheck, BlanksAroundAreTrimmedAndTheRestMustBeDottedIpv4) {
  EXPECT_EQ(CheckedIpv4Address(" 192.168.1.50"), "192.168.1.50") << "a pasted blank";
  EXPECT_EQ(CheckedIpv4Address("\t10.0.0.5 \r\n"), "10.0.0.5");
  EXPECT_EQ(CheckedIpv4Address("0.0.0.0"), "0.0.0.0");
  EXPECT_EQ(CheckedIpv4Address("255.255.255.255"), "255.255.255.255");
  EXPECT_EQ(CheckedIpv4Address("10.0.100.9"), "10.0.100.9") << "a zero inside a number is no leading zero";
  for (const char* bad : {"192.168.001.050", "010.0.0.5", "10.0.0.00", "192.168.1.256", "300.1.1.1", "192.168.1",
                          "192.168.1.", "192.168.1.50.", ".192.168.1.50", "1.2.3.4.5", "1..2.3", "1234.1.1.1",
                          "1.2.3.-4", "+1.2.3.4", "192.168.1.50 -o lpr", "192.168. 1.50", "1.2.3.4\" & calc", "abc",
                          "", " \t "})
    EXPECT_FALSE(CheckedIpv4Address(bad)) << bad;
}

TEST(DiscoveryReply, TheAddressPassesTheSameCheck) {
  for (const char* bad : {"abc", "192.168.001.050", "192.168.1.256", "192.168.1", "192.168.1.", "1.2.3.4\" & calc"})
    EXPECT_FALSE(Read("IP:" + std::string(bad) + ";DEVICENAME:LT42")) << bad;
  EXPECT_EQ(Read("IP: 10.0.0.5 ;DEVICENAME:LT42")->address, "10.0.0.5") << "kept trimmed";
  EXPECT_EQ(Read("IP:255.255.255.255;DEVICENAME:LT42")->address, "255.255.255.255");
}

TEST(DiscoveryReply, TheTextEndsAtItsFirstZeroByteAndAfter8095Bytes) {
  using namespace std::string_literals;
  EXPECT_FALSE(Read("IP:10.0.0.5\0;DEVICENAME:LT42"s));
  EXPECT_EQ(Read("IP:10.0.0.5;DEVICENAME:LT42\0garbage"s)->model, "Velmo LT42");

  const std::string head = "IP:10.0.0.5;DEVICENAME:LT42;";
  const std::string padded = head + std::string(kMaxReplyText - head.size(), 'x');
  EXPECT_TRUE(Read(padded)) << "a long reply with both fields early is read";
  const std::string late = std::string(kMaxReplyText - 10, ';') + "IP:10.0.0.5;DEVICENAME:LT42;";
  EXPECT_FALSE(Read(late)) << "fields past the first 8,095 bytes are not seen";
  const std::string longName = "IP:10.0.0.5;DEVICENAME:" + std::string(300, 'L') + ";";
  EXPECT_FALSE(Read(longName));
}

TEST(Discovery, QueriesGoToEachNetworksDotTwo55LastAddressFirst) {
  EXPECT_EQ(QueryDestinations({{192, 168, 1, 20}, {10, 0, 0, 5}}), (Texts{"10.0.0.255", "192.168.1.255"}));
  EXPECT_EQ(QueryDestinations({{172, 16, 200, 9}}), Texts{"172.16.200.255"}) << "whatever the netmask";
  EXPECT_TRUE(QueryDestinations({}).empty());
}

struct FakeNetwork : DiscoveryNetwork {
  Texts sent;
  void SendQuery(const std::string& address) override { sent.push_back(address); }
};

TEST(Discovery, APassSendsOneQueryPerAddressOrNoneWhenTheHostIsUnknown) {
  FakeNetwork network;
  SendDiscoveryQueries(network, std::nullopt);
  EXPECT_TRUE(network.sent.empty());
  const std::vector<Ipv4Address> addresses = {{192, 168, 1, 20}, {10, 0, 0, 5}};
  SendDiscoveryQueries(network, addresses);
  SendDiscoveryQueries(network, addresses);
  EXPECT_EQ(network.sent, (Texts{"10.0.0.255", "192.168.1.255", "10.0.0.255", "192.168.1.255"}));
}

}  // namespace
}  // namespace velmo
