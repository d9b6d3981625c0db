// The language decision against the real registry. Run with a Chinese (PRC)
// system language, where only the recorded value can switch to English.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "english_mode.h"
#include "launch_win.h"
#include "recorded_language_for_tests_win.h"
#include "registry_win.h"

namespace velmo {
namespace {

class LanguageFromRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetSystemDefaultUILanguage(), 0x0804) << "the test runs under a zh_CN locale";
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
  }
  void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey); }

  void Record(const std::string& value) {
    ASSERT_TRUE(RecordLanguageForTest(value));
  }
};

TEST_F(LanguageFromRegistry, ChineseWithoutARecordedValue) { EXPECT_EQ(DecideEnglishModeFromSystem(), 0); }

TEST_F(LanguageFromRegistry, RecordedEnglishInAnyCaseSwitches) {
  Record("English (United States)");
  EXPECT_EQ(DecideEnglishModeFromSystem(), 1);
  Record("ENGLISH");
  EXPECT_EQ(DecideEnglishModeFromSystem(), 1);
  Record("Chinese");
  EXPECT_EQ(DecideEnglishModeFromSystem(), 0);
}

TEST_F(LanguageFromRegistry, ValueThatDoesNotFitIsPassedOver) {
  Record(std::string(300, 'x') + "english");
  EXPECT_EQ(DecideEnglishModeFromSystem(), 0);
  Record(std::string(248, 'x') + "english");  // 255 bytes and its zero fill the 256-byte buffer
  EXPECT_EQ(DecideEnglishModeFromSystem(), 1);
  Record(std::string(249, 'x') + "english");  // one byte more
  EXPECT_EQ(DecideEnglishModeFromSystem(), 0);
}

TEST_F(LanguageFromRegistry, ParseCommandLineDecidesTheLanguageFirst) {
  Record("english");
  EnglishMode = 0;
  ParseCommandLine();
  EXPECT_EQ(EnglishMode, 1);
}

}  // namespace
}  // namespace velmo
