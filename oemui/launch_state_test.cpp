#include "launch_state.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

LaunchState Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "C:\\drv\\drv_velmo_oemui.exe");
  LaunchState state;
  ParseArguments(args, state);
  return state;
}

TEST(ParseArguments, DefaultsWithoutArguments) {
  const LaunchState s = Parse({});
  EXPECT_EQ(s.DialogWindow, 0u);
  EXPECT_EQ(s.ParentWindow, 0u);
  EXPECT_EQ(s.ImageVersion, 1);
  EXPECT_EQ(s.OemuiVersion, 0);
  EXPECT_EQ(s.PrinterName, "Velmo LT42");
}

TEST(ParseArguments, HandlesAreHexWithOrWithout0x) {
  EXPECT_EQ(Parse({"-hdialog:1A2B"}).DialogWindow, 0x1A2Bu);
  EXPECT_EQ(Parse({"-hdialog:0x1a2b"}).DialogWindow, 0x1A2Bu);
  EXPECT_EQ(Parse({"-hparent:FFFFFFFF"}).ParentWindow, 0xFFFFFFFFu);
  EXPECT_EQ(Parse({"-hdialog:0"}).DialogWindow, 0u);
}

TEST(ParseArguments, OptionsAreCaseSensitive) {
  EXPECT_EQ(Parse({"-HDIALOG:1A2B"}).DialogWindow, 0u);
  EXPECT_EQ(Parse({"-Printer:X"}).PrinterName, "Velmo LT42");
}

TEST(ParseArguments, QuotesAroundAnArgumentAreRemoved) {
  EXPECT_EQ(Parse({"\"-printer:Velmo LT42 (Copy 1)\""}).PrinterName, "Velmo LT42 (Copy 1)");
  EXPECT_EQ(Parse({"\"-hdialog:12"}).DialogWindow, 0x12u);
  const LaunchState lone = Parse({"\""});
  EXPECT_EQ(lone.PrinterName, "Velmo LT42");
}

TEST(ParseArguments, PrinterTakesTheRestWholeAndMayBeEmpty) {
  EXPECT_EQ(Parse({"-printer:"}).PrinterName, "");
  EXPECT_EQ(Parse({"-printer:-hdialog:5"}).PrinterName, "-hdialog:5");
  EXPECT_EQ(Parse({"-printer:-hdialog:5"}).DialogWindow, 0u);
}

TEST(ParseArguments, LastOneWinsAndUnreadableNumbersKeepTheValue) {
  const LaunchState s = Parse({"-hdialog:10", "-image_ver:7", "-hdialog:20", "-image_ver:x", "-oemui_ver:-3"});
  EXPECT_EQ(s.DialogWindow, 0x20u);
  EXPECT_EQ(s.ImageVersion, 7);
  EXPECT_EQ(s.OemuiVersion, -3);
  EXPECT_EQ(Parse({"-hdialog:10", "-hdialog:zz"}).DialogWindow, 0x10u);
}

TEST(ParseArguments, ProgramPathAndForeignArgumentsArePassedOver) {
  LaunchState s;
  ParseArguments({"-printer:FromIndexZero", "plain", "-unknown:1"}, s);
  EXPECT_EQ(s.PrinterName, "FromIndexZero") << "index 0 is examined like the rest";
}

TEST(ParseArguments, ArgumentOf255BytesIsWholeAndOneMoreIsCut) {
  const std::string option = "-printer:";
  const std::string at_limit = option + std::string(kMaxArgumentLength - option.size(), 'n');
  EXPECT_EQ(Parse({at_limit}).PrinterName, at_limit.substr(option.size()));
  EXPECT_EQ(Parse({at_limit + "x"}).PrinterName, at_limit.substr(option.size()));
}

TEST(ParseArguments, LongArgumentsAreCutAt255Bytes) {
  const std::string name(300, 'n');
  const LaunchState s = Parse({"-printer:" + name});
  EXPECT_EQ(s.PrinterName.size(), kMaxArgumentLength - std::string("-printer:").size());
  // A quote that falls beyond the cut is not seen as the closing quote.
  const LaunchState quoted = Parse({"\"-printer:" + name + "\""});
  EXPECT_EQ(quoted.PrinterName, std::string(kMaxArgumentLength - 10, 'n'));
}

}  // namespace
}  // namespace velmo
