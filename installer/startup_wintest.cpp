// Start-up against the real platform: hidden processes, the batch file, and
// the language recorded in the registry through it. Run with a Chinese (PRC)
// system language.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "english_mode.h"
#include "installer_state.h"
#include "recorded_language_for_tests_win.h"
#include "registry_win.h"
#include "installation.h"
#include "run_hidden_win.h"
#include "startup_win.h"
#include "system_tools_win.h"

namespace velmo {
namespace {

std::string TempFolder() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Only run as a child of RunHidden's wait test.
TEST(Helper, DISABLED_RunsTwoSeconds) { std::this_thread::sleep_for(std::chrono::seconds(2)); }

TEST(RunHidden, ReturnsTheExitCodeOrMinusOneWhenNothingStarts) {
  EXPECT_EQ(RunHidden("cmd /c exit 3", 5000), 3);
  EXPECT_EQ(RunHidden("C:\\nowhere\\missing-program.exe", 5000), -1);
}

TEST(RunHidden, RunsInTheFolderItIsGivenOrInTheInstallersOwn) {
  const std::string folder = TempFolder() + "velmo run hidden\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::ofstream(folder + "prnport.vbs") << "'";
  const std::string probe = "cmd /c if exist prnport.vbs (exit 7) else (exit 8)";
  EXPECT_EQ(RunHidden(probe, 5000, folder), 7);
  EXPECT_EQ(RunHidden(probe, 5000), 8);
  DeleteFileA((folder + "prnport.vbs").c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(RunHidden, AProcessThatOutlivesTheWaitGivesStillActive) {
  const std::string child =
      "\"" + ThisProgram() + "\" --gtest_also_run_disabled_tests --gtest_filter=Helper.DISABLED_RunsTwoSeconds";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunHidden(child, 200), 259);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  EXPECT_EQ(RunHidden(child, 10000), 0) << "within its time the same child ends well";
}

TEST(RunBatch, WritesTheThreeLinesInAFolderOfItsOwnRunsThemAndDeletesThem) {
  const std::string copy = TempFolder() + "velmo_batch_copy.txt";
  const std::string where = TempFolder() + "velmo_batch_folder.txt";
  DeleteFileA(copy.c_str());
  // %~f0 and %~dp0: the batch file's own path and folder.
  const std::string command = "copy \"%~f0\" \"" + copy + "\" && echo %~dp0> \"" + where + "\"";
  EXPECT_EQ(RunBatch(command), 0);
  EXPECT_EQ(FileText(copy),
            "cd /d \"" + NativeSystemFolder().substr(0, NativeSystemFolder().size() - 1) + "\"\r\n" + command +
                "\r\nexit /b %errorlevel%\r\n");
  std::string folder = FileText(where);
  while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r' || folder.back() == ' '))
    folder.pop_back();
  const std::string own = TempFolder() + "Qindle-" + std::to_string(GetCurrentProcessId()) + "-";
  EXPECT_EQ(folder.substr(0, own.size()), own) << "not the shared temporary folder itself: " << folder;
  EXPECT_FALSE(FileExists(folder)) << "the folder goes with the batch file";
  EXPECT_FALSE(FileExists(TempFolder() + "~temp.bat"));
  DeleteFileA(copy.c_str());
  DeleteFileA(where.c_str());
}

TEST(RunBatch, TwoRunsNeverShareTheirFile) {
  const std::string where = TempFolder() + "velmo_batch_names.txt";
  DeleteFileA(where.c_str());
  EXPECT_EQ(RunBatch("echo %~f0>> \"" + where + "\""), 0);
  EXPECT_EQ(RunBatch("echo %~f0>> \"" + where + "\""), 0);
  std::istringstream lines(FileText(where));
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_FALSE(first.empty());
  EXPECT_NE(first, second);
  DeleteFileA(where.c_str());
}

TEST(RunBatch, ACommandTheCodePageCannotHoldIsNotRun) {
  const std::string marker = TempFolder() + "velmo_not_in_code_page.txt";
  DeleteFileA(marker.c_str());
  // U+1F600 exists in no 8-bit code page.
  EXPECT_EQ(RunBatch("echo \xF0\x9F\x98\x80> \"" + marker + "\""), kNotInCodePage);
  EXPECT_FALSE(FileExists(marker));
}

TEST(RunBatch, HandsBackTheCommandsExitCode) {
  EXPECT_EQ(RunBatch("cmd /c exit 7"), 7);
  EXPECT_NE(RunBatch("C:\\nowhere\\missing-program.exe"), 0);
}

// GetTempPathA takes the folder from TMP; each case puts it back.
class TemporaryFolderSetting : public ::testing::Test {
 protected:
  void SetUp() override {
    char value[1024] = {};
    saved_ = std::string(value, GetEnvironmentVariableA("TMP", value, sizeof value));
  }
  void TearDown() override { SetEnvironmentVariableA("TMP", saved_.c_str()); }
  std::string saved_;
};

TEST_F(TemporaryFolderSetting, AFolderPathThatDoesNotFit256CharactersRunsNothing) {
  const std::string marker = saved_ + "\\velmo_ran.txt";
  DeleteFileA(marker.c_str());
  SetEnvironmentVariableA("TMP", ("C:\\" + std::string(260, 't')).c_str());
  EXPECT_EQ(RunBatch("cmd /c echo x > \"" + marker + "\""), -1);
  EXPECT_FALSE(FileExists(marker));
}

TEST_F(TemporaryFolderSetting, ABatchFileThatCannotBeWrittenRunsNothing) {
  SetEnvironmentVariableA("TMP", "C:\\velmo-no-such-folder");
  EXPECT_EQ(RunBatch("cmd /c exit 0"), -1);
}

class LanguageRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetSystemDefaultUILanguage(), 0x0804) << "the test runs under a zh_CN locale";
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
    EnglishMode = UsbInstallEnabled = DriverInstallEnabled = 0;
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
    EnglishMode = UsbInstallEnabled = DriverInstallEnabled = 0;
  }
  static void Record(const std::string& value) {
    ASSERT_TRUE(RecordLanguageForTest(value));
  }
  static std::optional<std::string> Recorded() { return ReadMachineText(kSettingsKey, kLanguageValue); }
};

TEST_F(LanguageRecord, NoArgumentsOnAChineseSystemChangeNothing) {
  InitLanguage({"Qindle.exe"});
  EXPECT_EQ(EnglishMode, 0);
  EXPECT_EQ(UsbInstallEnabled, 0);
  EXPECT_EQ(DriverInstallEnabled, 0);
  EXPECT_FALSE(Recorded());
}

TEST_F(LanguageRecord, CapitalEnglishIsWrittenAsGivenThroughTheBatch) {
  InitLanguage({"Qindle.exe", "-language:English"});
  EXPECT_EQ(EnglishMode, 1);
  EXPECT_EQ(UsbInstallEnabled, 1);
  EXPECT_EQ(DriverInstallEnabled, 1);
  EXPECT_EQ(Recorded(), "English");
}

TEST_F(LanguageRecord, ChineseAfterARecordedEnglishIsEnglishNowAndChineseNextTime) {
  Record("english");
  InitLanguage({"Qindle.exe", "-language:chinese"});
  EXPECT_EQ(EnglishMode, 1);
  EXPECT_EQ(Recorded(), "chinese");
}

TEST_F(LanguageRecord, TwoArgumentsLeaveTheSecondAndAnEmptyValueRecordsEmptyText) {
  InitLanguage({"Qindle.exe", "-language:english", "-language:chinese"});
  EXPECT_EQ(Recorded(), "chinese");
  InitLanguage({"Qindle.exe", "\"-language:\""});
  EXPECT_EQ(Recorded(), "");
}

TEST_F(LanguageRecord, AValueThatWouldRunACommandIsNotRecorded) {
  Record("chinese");
  const std::string injected = TempFolder() + "velmo_injected.txt";
  DeleteFileA(injected.c_str());
  InitLanguage({"Qindle.exe", "-language:english\" & echo x > \"" + injected});
  EXPECT_FALSE(FileExists(injected)) << "the batch ran a second command";
  EXPECT_EQ(Recorded(), "chinese");
  EXPECT_EQ(EnglishMode, 1) << "the value still chooses the language";
  EXPECT_EQ(UsbInstallEnabled, 1);
  DeleteFileA(injected.c_str());
}

}  // namespace
}  // namespace velmo
