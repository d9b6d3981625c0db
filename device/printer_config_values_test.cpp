#include "printer_config_values.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(PrinterConfigAddress, TextIsFourDecimalBytesInOrder) {
  EXPECT_EQ(AddressText({192, 168, 1, 0}), "192.168.1.0");
  EXPECT_EQ(AddressText({0, 0, 0, 0}), "0.0.0.0");
  EXPECT_EQ(AddressText({255, 255, 255, 255}), "255.255.255.255");
}

TEST(PrinterConfigAddress, ReadsUpToFourNumbersAndStopsAtTheFirstMisfit) {
  EXPECT_EQ(ParseAddressText("192.168.1.20"), (AddressBytes{192, 168, 1, 20}));
  EXPECT_EQ(ParseAddressText("192.168.1"), (AddressBytes{192, 168, 1, 0}));
  EXPECT_EQ(ParseAddressText(""), (AddressBytes{0, 0, 0, 0}));
  EXPECT_EQ(ParseAddressText(" 10. +2.\t3.4"), (AddressBytes{10, 2, 3, 4}));
  EXPECT_EQ(ParseAddressText("10.x.3.4"), (AddressBytes{10, 0, 0, 0}));
  EXPECT_EQ(ParseAddressText("10..3.4"), (AddressBytes{10, 0, 0, 0}));
  EXPECT_EQ(ParseAddressText("10 .3.4.5"), (AddressBytes{10, 0, 0, 0}));
  EXPECT_EQ(ParseAddressText("1.2.3.4.5"), (AddressBytes{1, 2, 3, 4}));
  EXPECT_EQ(ParseAddressText("1.2.3.4abc"), (AddressBytes{1, 2, 3, 4}));
  EXPECT_EQ(ParseAddressText("abc"), (AddressBytes{0, 0, 0, 0}));
}

TEST(PrinterConfigAddress, NumbersOutsideAByteAreClampedAndTheTextShowsWhatIsSent) {
  EXPECT_EQ(ParseAddressText("255.256.-1.-0"), (AddressBytes{255, 255, 0, 0}));
  EXPECT_EQ(ParseAddressText("99999999999999999999999.1.2.3"), (AddressBytes{255, 1, 2, 3}));
  EXPECT_EQ(ParseAddressText("-99999999999999999999999.1"), (AddressBytes{0, 1, 0, 0}));
  // Rewriting the edit with the sent bytes is stable.
  for (const char* typed : {"300.-4.1", "7", " +8.9", "1.2.3.4.5"}) {
    const AddressBytes sent = ParseAddressText(typed);
    EXPECT_EQ(ParseAddressText(AddressText(sent)), sent) << typed;
  }
}

TEST(PrinterConfigAddress, OnlyAllZeroBytesMeanDhcp) {
  EXPECT_TRUE(IsDhcpAddress({0, 0, 0, 0}));
  EXPECT_FALSE(IsDhcpAddress({0, 0, 0, 1}));
  EXPECT_FALSE(IsDhcpAddress({1, 0, 0, 0}));
}

TEST(PrinterConfigDarkness, RangeIsHalfTheUnsignedSizeEachSide) {
  EXPECT_EQ(DarknessRangeForSize(7).min, -3);
  EXPECT_EQ(DarknessRangeForSize(7).max, 3);
  EXPECT_EQ(DarknessRangeForSize(8).min, -4);
  EXPECT_EQ(DarknessRangeForSize(8).max, 4);
  EXPECT_EQ(DarknessRangeForSize(0).min, 0);
  EXPECT_EQ(DarknessRangeForSize(0).max, 0);
  // Negative sizes are huge unsigned ones, not negative ranges.
  EXPECT_EQ(DarknessRangeForSize(-1).max, 2147483647);
  EXPECT_EQ(DarknessRangeForSize(-1).min, -2147483647);
}

TEST(PrinterConfigDarkness, LabelInBothLanguagesWithSignedPosition) {
  EXPECT_EQ(DarknessText(true, -2), L"&Darkness: -2");
  EXPECT_EQ(DarknessText(true, 3), L"&Darkness: 3");
  EXPECT_EQ(DarknessText(false, -2), L"打印黑度(&D): -2");
  EXPECT_EQ(DarknessText(false, 0), L"打印黑度(&D): 0");
}

TEST(PrinterConfigVersion, CommandSetVersionIsAppendedOnlyWhenPresent) {
  EXPECT_EQ(FirmwareVersionText("1.2", "5"), "1.2.5");
  EXPECT_EQ(FirmwareVersionText("1.2", ""), "1.2");
  EXPECT_EQ(FirmwareVersionText("", ""), "");
}

TEST(PrinterConfigRefusal, MessageNamesTheFieldWithoutItsColon) {
  EXPECT_EQ(TextTooLongMessage(true, L"BT Name: "), L"\"BT Name\" is too long for the printer. Nothing was saved.");
  const std::wstring chinese = TextTooLongMessage(false, L"蓝牙名称: ");
  EXPECT_NE(chinese.find(L"“蓝牙名称”"), std::wstring::npos);
}

}  // namespace
}  // namespace velmo
