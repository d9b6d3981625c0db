// The start-up decision: language, mode and the recording commands, and the
// batch file that runs a recording command.
#include <gtest/gtest.h>

#include "batch_file.h"
#include "startup_decision.h"

namespace velmo {
namespace {

constexpr uint16_t kChinese = 0x0804;
constexpr uint16_t kEnglishUs = 0x0409;
const std::string kProgram = "C:\\Velmo\\Qindle.exe";

std::string RecordOf(const std::string& value) {
  return "reg add \"HKLM\\SOFTWARE\\DARVOLT\\Printer\" /v drv_language /t REG_SZ /d \"" + value + "\" /f";
}

TEST(StartupDecision, NoArgumentsOnAChineseSystemIsChineseNetworkOnly) {
  const StartupDecision d = DecideStartup(kChinese, std::nullopt, {kProgram});
  EXPECT_FALSE(d.english);
  EXPECT_FALSE(d.fullMode);
  EXPECT_TRUE(d.recordCommands.empty());
}

TEST(StartupDecision, CapitalEnglishOnAChineseSystemIsRecordedAsGiven) {
  const StartupDecision d = DecideStartup(kChinese, std::nullopt, {kProgram, "-language:English"});
  EXPECT_TRUE(d.english);
  EXPECT_TRUE(d.fullMode);
  EXPECT_EQ(d.recordCommands, std::vector<std::string>{RecordOf("English")});
}

TEST(StartupDecision, ChineseArgumentAfterAnEnglishRecordStaysEnglish) {
  const StartupDecision d = DecideStartup(kChinese, "english", {kProgram, "-language:chinese"});
  EXPECT_TRUE(d.english) << "the record is read first and nothing sets the flag back";
  EXPECT_EQ(d.recordCommands, std::vector<std::string>{RecordOf("chinese")});
}

TEST(StartupDecision, TheSystemLanguageAndTheRecordDecideWithoutArguments) {
  EXPECT_TRUE(DecideStartup(kEnglishUs, std::nullopt, {kProgram, "-language:chinese"}).english);
  EXPECT_TRUE(DecideStartup(kChinese, "Simplified and ENGLISH words", {kProgram}).english);
  EXPECT_FALSE(DecideStartup(kChinese, "chinese", {kProgram}).english);
  EXPECT_FALSE(DecideStartup(kChinese, "", {kProgram}).english);
}

TEST(StartupDecision, AnEmptyValueIsFullModeAndRecordsTheEmptyText) {
  const StartupDecision d = DecideStartup(kChinese, std::nullopt, {kProgram, "-language:"});
  EXPECT_TRUE(d.fullMode);
  EXPECT_FALSE(d.english);
  EXPECT_EQ(d.recordCommands, std::vector<std::string>{RecordOf("")});
}

TEST(StartupDecision, QuotesAroundTheArgumentGoButThePrefixIsExactCase) {
  const StartupDecision quoted = DecideStartup(kChinese, std::nullopt, {kProgram, "\"-language:english\""});
  EXPECT_TRUE(quoted.fullMode);
  EXPECT_EQ(quoted.recordCommands, std::vector<std::string>{RecordOf("english")});
  EXPECT_TRUE(DecideStartup(kChinese, std::nullopt, {kProgram, "\"-language:english"}).fullMode);

  const StartupDecision capital = DecideStartup(kChinese, std::nullopt, {kProgram, "-LANGUAGE:english"});
  EXPECT_FALSE(capital.fullMode);
  EXPECT_FALSE(capital.english);
  EXPECT_TRUE(capital.recordCommands.empty());
  EXPECT_FALSE(DecideStartup(kChinese, std::nullopt, {kProgram, " -language:english"}).fullMode);
}

TEST(StartupDecision, TwoLanguageArgumentsApplyInOrder) {
  const StartupDecision d =
      DecideStartup(kChinese, std::nullopt, {kProgram, "-language:english", "other", "-language:chinese"});
  EXPECT_TRUE(d.english);
  EXPECT_EQ(d.recordCommands, (std::vector<std::string>{RecordOf("english"), RecordOf("chinese")}));
}

TEST(StartupDecision, TheProgramItselfIsArgumentZero) {
  EXPECT_TRUE(DecideStartup(kChinese, std::nullopt, {"-language:english"}).fullMode);
}

TEST(StartupDecision, ArgumentsAreCutTo255CharactersBeforeTheQuotesGo) {
  const std::string filler(255 - 10 - 7, 'x');
  const std::string at_the_end = "-language:" + filler + "english";
  ASSERT_EQ(at_the_end.size(), 255u);
  EXPECT_TRUE(DecideStartup(kChinese, std::nullopt, {kProgram, at_the_end}).english);
  EXPECT_FALSE(DecideStartup(kChinese, std::nullopt, {kProgram, "-language:x" + filler + "english"}).english)
      << "the last letter lies past the cut";
  // The cut comes before the quotes go: a quoted argument of 257 characters
  // loses its last letter, one of 256 only its closing quote.
  EXPECT_FALSE(DecideStartup(kChinese, std::nullopt, {kProgram, "\"-language:" + filler + "english\""}).english);
  const std::string shorter(filler.size() - 1, 'x');
  EXPECT_TRUE(DecideStartup(kChinese, std::nullopt, {kProgram, "\"-language:" + shorter + "english\""}).english);
}

TEST(LanguageRecord, ValuesThatCouldRunCommandsAreNotRecorded) {
  for (const char* value : {"en\"&calc", "a%PATH%", "a&b", "a|b", "a<b", "a>b", "a^b", "a\nb", "a\rb", "a\tb",
                            "trailing\\"}) {
    EXPECT_FALSE(LanguageRecordCommand(value)) << value;
  }
  EXPECT_EQ(LanguageRecordCommand("English (United States) 1.0/\\x"),
            RecordOf("English (United States) 1.0/\\x"));
}

TEST(LanguageRecord, ARefusedValueStillMeansFullModeAndItsLanguage) {
  const StartupDecision d = DecideStartup(kChinese, std::nullopt, {kProgram, "-language:english&del x"});
  EXPECT_TRUE(d.fullMode);
  EXPECT_TRUE(d.english);
  EXPECT_TRUE(d.recordCommands.empty());
}

TEST(LanguageRecord, TheCommandFitsIn256CharactersWithItsZero) {
  const std::string longest(181, 'x');
  ASSERT_TRUE(LanguageRecordCommand(longest));
  EXPECT_EQ(LanguageRecordCommand(longest)->size(), 255u);
  EXPECT_FALSE(LanguageRecordCommand(longest + "x"));
}

TEST(BatchFile, ThreeLinesChangeToTheNativeFolderRunAndReturnTheExitCode) {
  EXPECT_EQ(BatchFileText("C:\\Windows\\Sysnative\\", "reg add x /f"),
            "cd /d \"C:\\Windows\\Sysnative\"\nreg add x /f\nexit /b %errorlevel%\n");
  EXPECT_EQ(BatchFileText("C:\\Windows\\System32", ""),
            "cd /d \"C:\\Windows\\System32\"\n\nexit /b %errorlevel%\n");
  EXPECT_EQ(BatchFileText("C:\\Program Files\\", "x"), "cd /d \"C:\\Program Files\"\nx\nexit /b %errorlevel%\n")
      << "a folder with a blank, quoted";
}

TEST(BatchFile, EachRunAndEachBatchOfItHaveAFolderOfTheirOwn) {
  EXPECT_EQ(PrivateFolderName(4242, 0), "Qindle-4242-0");
  EXPECT_NE(PrivateFolderName(4242, 1), PrivateFolderName(4242, 0));
  EXPECT_NE(PrivateFolderName(4243, 0), PrivateFolderName(4242, 0));
  EXPECT_NE(PrivateFolderName(42, 42), PrivateFolderName(424, 2));
}

TEST(BatchFile, OnlyTheAccountAdministratorsAndTheSystemMayOpenThePrivateFolder) {
  EXPECT_EQ(PrivateFolderSddl("S-1-5-21-1-2-3-1001"),
            "D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)");
}

}  // namespace
}  // namespace velmo
