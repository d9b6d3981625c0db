#include "manifest_dpi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace toolkit {
namespace {

using Names = std::vector<std::string>;

TEST(ReadDpiDeclaration, PrefixedOrNotTrimmedAndInOrder) {
  const auto declared = ReadDpiDeclaration(
      "<asm:application><ws:windowsSettings>"
      "<ws:dpiAware xmlns:ws=\"x\"> True/PM </ws:dpiAware>"
      "<dpiAwareness xmlns=\"y\">PerMonitorV2 ,PerMonitor,</dpiAwareness>"
      "</ws:windowsSettings></asm:application>");
  EXPECT_EQ(declared.DpiAware, "True/PM");
  EXPECT_EQ(declared.DpiAwareness, (Names{"PerMonitorV2", "PerMonitor"}));
}

TEST(ReadDpiDeclaration, MissingEmptyOrUnclosedElementsDeclareNothing) {
  EXPECT_EQ(ReadDpiDeclaration("<assembly/>").DpiAware, "");
  EXPECT_TRUE(ReadDpiDeclaration("<dpiAwareness/>").DpiAwareness.empty());
  EXPECT_TRUE(ReadDpiDeclaration("<dpiAwareness>PerMonitorV2").DpiAwareness.empty());
  EXPECT_EQ(ReadDpiDeclaration("<dpiAwarenessX>a</dpiAwarenessX><dpiAware>true</dpiAware>").DpiAware, "true");
  EXPECT_EQ(ReadDpiDeclaration("<dpiAware").DpiAware, "");
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Both windowed programs are per-monitor v2 where the system has it, v1 on
// older systems (which read only <dpiAware>, and Windows 10 before 1607,
// which skips the unknown first entry of <dpiAwareness>).
TEST(ProgramManifests, DeclarePerMonitorV2WithFallbacks) {
  for (const char* manifest : {"oemui/drv_velmo_oemui.manifest", "installer/Qindle.manifest"}) {
    const std::string text = FileText(std::string(VELMO_SOURCE_DIR) + "/" + manifest);
    ASSERT_FALSE(text.empty()) << manifest;
    const auto declared = ReadDpiDeclaration(text);
    EXPECT_EQ(declared.DpiAware, "true/pm") << manifest;
    EXPECT_EQ(declared.DpiAwareness, (Names{"PerMonitorV2", "PerMonitor"})) << manifest;
  }
}

}  // namespace
}  // namespace toolkit
