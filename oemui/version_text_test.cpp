#include "version_text.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(VersionText, DriverVersionUsesTheTwoMostSignificantParts) {
  EXPECT_EQ(FormatDriverVersion(0x0003000500000000ULL), "3.5");
  EXPECT_EQ(FormatDriverVersion(0xFFFF000100020003ULL), "65535.1");
  EXPECT_EQ(FormatDriverVersion(0), "0.0");
}

TEST(VersionText, ExampleLine) {
  // Driver 3.5.0.0, image 2, oemui 10, file 1.0.0.7 (least significant half 0x00000007).
  EXPECT_EQ(ComposeVersionText("3.5", 2, 10, 0x00000007u), "3.5.210.7");
  EXPECT_EQ(ComposeVersionText("0.0", 1, 0, 0x00020009u), "0.0.10.9") << "only the low word is shown";
  EXPECT_EQ(ComposeVersionText("3.5", 2, 10, std::nullopt), "");
}

TEST(VersionText, TestPageCommandQuotesThePrinterName) {
  EXPECT_EQ(TestPageCommand("Velmo LT42 (Copy 1)"),
            "rundll32 printui.dll,PrintUIEntry /k /n \"Velmo LT42 (Copy 1)\"");
}

}  // namespace
}  // namespace velmo
